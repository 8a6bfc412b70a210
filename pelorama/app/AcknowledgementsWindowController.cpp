#include "app/AcknowledgementsWindowController.h"

#include "app/Acknowledgements.h"
#include "appkit/widgets/WindowPlacement.h"
#include "graphics/AttributedString.h"
#include "graphics/Font.h"
#include "tessaline/Shared/MarkupParser.h"
#include "tessaline/Tessaline/WindowCloseKeys.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace pelorama::app {
namespace {

void setStyledText(QTextEdit& textView, const graphics::AttributedString& text)
{
    QTextDocument* storage = textView.document();
    if (!storage)
        return;
    storage->clear();
    QTextCursor cursor(storage);
    for (const graphics::AttributedString::Run& run : text.runs()) {
        QTextCharFormat format;
        format.setFont(run.attributes.resolvedFont().toQFont(), QTextCharFormat::FontPropertiesAll);
        format.setForeground(run.attributes.resolvedForegroundColor().toQColor());
        format.setFontUnderline(run.attributes.underlineStyle.value_or(0) != 0);
        format.setFontStrikeOut(run.attributes.strikethroughStyle.value_or(0) != 0);
        cursor.insertText(text.string().mid(run.start, run.length), format);
    }
    textView.moveCursor(QTextCursor::Start);
}

} // namespace

AcknowledgementsWindowController::AcknowledgementsWindowController(QObject* parent)
    : QObject(parent)
{}

AcknowledgementsWindowController::~AcknowledgementsWindowController()
{
    delete m_window;
}

QWidget* AcknowledgementsWindowController::window()
{
    if (!m_window) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("AcknowledgementsWindow"));
        window->setWindowTitle(tr("Acknowledgements"));
        window->resize(560, 520);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        m_textView = new QTextEdit(window);
        m_textView->setReadOnly(true);
        m_textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        m_textView->document()->setDocumentMargin(16);
        layout->addWidget(m_textView);
        tessaline::addWindowCloseKeys(*window);
        m_window = window;
        windowDidLoad();
    }
    return m_window;
}

void AcknowledgementsWindowController::windowDidLoad()
{
    const tessaline::MarkupParser parser(graphics::Font::systemFont(graphics::Font::smallSystemFontSize()));
    if (m_textView)
        setStyledText(*m_textView, parser.parse(acknowledgementsText()));
}

void AcknowledgementsWindowController::showWindow()
{
    QWidget* shown = window();
    if (!shown->isVisible()) {
        QWidget* active = QApplication::activeWindow();
        appkit::WindowPlacement::centreOver(*shown, active != shown ? active : nullptr);
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
}

} // namespace pelorama::app
