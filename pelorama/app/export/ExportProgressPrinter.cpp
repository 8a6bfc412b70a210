#include "app/export/ExportProgressPrinter.h"

namespace pelorama::app {

namespace {

constexpr int barWidth = 30;
// Long names are cut so that the bar keeps to one line of a narrow terminal.
constexpr int shownNameLength = 32;
// Back to the start of the line and clear it.
constexpr auto clearLine = "\r\033[K";

} // namespace

ExportProgressPrinter::ExportProgressPrinter(std::FILE* stream, bool terminal)
    : m_stream(stream)
    , m_terminal(terminal)
{}

void ExportProgressPrinter::begin(int total)
{
    m_total = total;
    if (m_terminal && total > 0)
        drawBar();
}

void ExportProgressPrinter::fileWritten(int done, int total, const QString& fileName)
{
    m_done = done;
    m_total = total;
    m_fileName = fileName;
    if (m_terminal)
        drawBar();
    else
        print(QStringLiteral("[%1/%2] %3\n").arg(done).arg(total).arg(fileName));
}

void ExportProgressPrinter::failed(const QString& message)
{
    if (m_barShown)
        print(QString::fromLatin1(clearLine));
    print(QStringLiteral("pelorama: ") + message + '\n');
    if (m_barShown)
        drawBar();
}

void ExportProgressPrinter::finish()
{
    if (m_barShown)
        print(QStringLiteral("\n"));
    m_barShown = false;
}

void ExportProgressPrinter::print(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), m_stream);
    std::fflush(m_stream);
}

void ExportProgressPrinter::drawBar()
{
    const int filled = m_total > 0 ? m_done * barWidth / m_total : barWidth;
    QString name = m_fileName;
    if (name.size() > shownNameLength)
        name = name.left(shownNameLength - 1) + QChar(u'…');
    print(QString::fromLatin1(clearLine) + '[' + QString(filled, '#') + QString(barWidth - filled, '-') +
          QStringLiteral("] %1/%2 %3").arg(m_done).arg(m_total).arg(name));
    m_barShown = true;
}

} // namespace pelorama::app
