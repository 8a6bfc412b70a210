#include "document/PoFile.h"

#include <QFile>
#include <QStringDecoder>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <gettext-po.h>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/mman.h>
#include <unistd.h>

namespace pelorama::document {

namespace {

using foundation::Unexpected;

// What the library reported during one call: its first error, the first one with a line if any has one.
struct Problems
{
    std::optional<PoError> first;

    void report(int severity, const char* fileName, std::size_t line, const QString& message)
    {
        if (severity == PO_SEVERITY_WARNING)
            return;
        int located = fileName && line != std::size_t(-1) && line <= INT_MAX ? int(line) : 0;
        // The library has read the line break that ends such a string when it tells, and counts it.
        if (located > 1 && message == QLatin1String("end-of-line within string"))
            --located;
        if (first && (first->line > 0 || located == 0))
            return;
        first = PoError{{}, located, message.simplified()};
    }
};

// The library reports problems to plain functions that get no pointer of ours, through globals of its
// own that it sets for each read or write. So one call runs at a time, and its problems go to the
// Problems that the calling thread has open for it.
thread_local Problems* reporting = nullptr;

void reportProblem(int severity, po_message_t, const char* fileName, std::size_t line, std::size_t, int,
                   const char* text)
{
    if (reporting)
        reporting->report(severity, fileName, line, QString::fromUtf8(text));
}

void reportProblems(int severity, po_message_t, const char* fileName, std::size_t line, std::size_t, int,
                    const char* text, po_message_t, const char*, std::size_t, std::size_t, int, const char*)
{
    // The second part points at the other message ("this is the location of the first definition").
    if (reporting)
        reporting->report(severity, fileName, line, QString::fromUtf8(text));
}

// Even a fatal problem returns here: the library then ends its read or write as it can, and its result
// is not used.
const po_xerror_handler handler{reportProblem, reportProblems};

class LibraryCall
{
public:
    LibraryCall()
        : m_lock(mutex())
    {
        reporting = &problems;
    }
    ~LibraryCall() { reporting = nullptr; }
    LibraryCall(const LibraryCall&) = delete;
    LibraryCall& operator=(const LibraryCall&) = delete;

    Problems problems;

private:
    static std::mutex& mutex()
    {
        static std::mutex libraryMutex;
        return libraryMutex;
    }

    std::lock_guard<std::mutex> m_lock;
};

struct FileFree
{
    void operator()(po_file_t file) const { po_file_free(file); }
};
struct IteratorFree
{
    void operator()(po_message_iterator_t iterator) const { po_message_iterator_free(iterator); }
};
struct CharFree
{
    void operator()(char* text) const { std::free(text); }
};
using FilePointer = std::unique_ptr<std::remove_pointer_t<po_file_t>, FileFree>;
using IteratorPointer = std::unique_ptr<std::remove_pointer_t<po_message_iterator_t>, IteratorFree>;
using TextPointer = std::unique_ptr<char, CharFree>;

// A file in memory that the library opens by name, as it opens every file.
class MemoryFile
{
public:
    MemoryFile()
        : m_descriptor(memfd_create("pelorama-po", MFD_CLOEXEC))
    {}
    ~MemoryFile()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool isValid() const { return m_descriptor >= 0; }
    QByteArray path() const { return "/proc/self/fd/" + QByteArray::number(m_descriptor); }

    bool write(const QByteArray& bytes) const
    {
        QFile file;
        return file.open(m_descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) &&
               file.write(bytes) == bytes.size() && file.flush();
    }

    // What the library wrote through its own handle.
    std::optional<QByteArray> readAll() const
    {
        QFile file;
        if (!file.open(m_descriptor, QIODevice::ReadOnly, QFileDevice::DontCloseHandle) || !file.seek(0))
            return std::nullopt;
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return std::nullopt;
        return bytes;
    }

private:
    int m_descriptor;
};

PoError failure(int line, const QString& message)
{
    return PoError{{}, line, message};
}

int lineAt(const QByteArray& bytes, qsizetype offset)
{
    return int(bytes.left(offset).count('\n')) + 1;
}

// Calls visit with each line of bytes, without its line break, and its number from 1, until visit
// answers true; answers the number of that line, 0 when there is none.
template <typename Visit> int findLine(const QByteArray& bytes, Visit visit)
{
    int line = 0;
    for (qsizetype start = 0; start <= bytes.size();) {
        ++line;
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        if (visit(QByteArrayView(bytes.constData() + start, end - start), line))
            return line;
        start = end + 1;
    }
    return 0;
}

// The line of the first bytes that are no UTF-8 text (a NUL counts as none), 0 when all are.
int firstLineNotUtf8(const QByteArray& bytes)
{
    return findLine(bytes, [](QByteArrayView text, int) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(text);
        return decoder.hasError() || text.contains('\0');
    });
}

// The line of each "msgid" keyword, which every message has, in file order: that of the messages in
// use and that of the obsolete ones ("#~ msgid") apart. Only asked for once the library has read the file,
// so its lines stand for its messages one for one.
struct MessageLines
{
    QList<int> current;
    QList<int> obsolete;
};

MessageLines messageLines(const QByteArray& bytes)
{
    const auto startsWithKeyword = [](QByteArrayView text) {
        text = text.trimmed();
        return text.startsWith("msgid") &&
               (text.size() == 5 || text[5] == ' ' || text[5] == '\t' || text[5] == '"');
    };
    MessageLines lines;
    findLine(bytes, [&](QByteArrayView text, int line) {
        text = text.trimmed();
        if (text.startsWith("#~")) {
            if (startsWithKeyword(text.sliced(2)))
                lines.obsolete.append(line);
        } else if (startsWithKeyword(text)) {
            lines.current.append(line);
        }
        return false;
    });
    return lines;
}

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

QString headerField(const char* header, const char* name)
{
    const TextPointer value(header ? po_header_field(header, name) : nullptr);
    return text(value.get()).trimmed();
}

// The charset a "Content-Type" value names, empty for none.
QString charsetOf(const QString& contentType)
{
    static const QString key = QStringLiteral("charset=");
    const qsizetype start = contentType.indexOf(key, 0, Qt::CaseInsensitive);
    if (start < 0)
        return {};
    QString charset = contentType.mid(start + key.size());
    const qsizetype end = charset.indexOf(u';');
    return (end < 0 ? charset : charset.left(end)).trimmed();
}

bool isUtf8Name(const QString& charset)
{
    // "CHARSET" is what a template that nobody filled in says.
    return charset.isEmpty() || charset == QLatin1String("CHARSET") ||
           charset.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ||
           charset.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0;
}

QString kilobytes(qsizetype bytes)
{
    return QStringLiteral("%1 KB").arg(bytes >> 10);
}

QString megabytes(qsizetype bytes)
{
    return QStringLiteral("%1 MB").arg(bytes >> 20);
}

// A header value on one line.
QString oneLine(const QString& value)
{
    QString line = value;
    line.replace(u'\n', u' ').replace(u'\r', u' ');
    return line;
}

constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF", 3);

} // namespace

QString PoError::text() const
{
    QString where;
    if (!fileName.isEmpty())
        where = QStringLiteral("“%1”").arg(fileName);
    if (line > 0)
        where += (where.isEmpty() ? QStringLiteral("Line %1") : QStringLiteral(", line %1")).arg(line);
    return where.isEmpty() ? message : where + QStringLiteral(": ") + message;
}

foundation::Expected<PoFile, PoError> PoFile::read(const QByteArray& contents, qsizetype maximumSize)
{
    if (contents.size() > maximumSize)
        return Unexpected(
            failure(0, QStringLiteral("The file is larger than %1, more than a translation file holds.")
                           .arg(megabytes(maximumSize))));
    // Editors on Windows begin UTF-8 files with a byte-order mark, which the library takes for text
    // before the first keyword. It stands on the first line, so lines count the same without it.
    const QByteArray bytes =
        contents.startsWith(byteOrderMark) ? contents.sliced(byteOrderMark.size()) : contents;
    if (const int line = firstLineNotUtf8(bytes))
        return Unexpected(failure(line, QStringLiteral("The file is not UTF-8 text.")));

    MemoryFile input;
    if (!input.isValid() || !input.write(bytes))
        return Unexpected(failure(0, QStringLiteral("There is no memory left to read the file.")));
    LibraryCall call;
    const FilePointer file(po_file_read(input.path().constData(), &handler));
    if (call.problems.first)
        return Unexpected(*call.problems.first);
    if (!file)
        return Unexpected(failure(0, QStringLiteral("The file could not be read.")));

    PoFile po;
    // The library's po_file_domain_header hands out a copy that nobody frees; the message holds it too.
    const char* header = nullptr;
    std::optional<MessageLines> lines;
    int currentIndex = -1;
    int obsoleteIndex = -1;
    const IteratorPointer messages(po_message_iterator(file.get(), nullptr));
    while (po_message_t message = po_next_message(messages.get())) {
        const bool obsolete = po_message_is_obsolete(message);
        const int index = obsolete ? ++obsoleteIndex : ++currentIndex;
        const char* context = po_message_msgctxt(message);
        const char* source = po_message_msgid(message);
        const char* translation = po_message_msgstr(message);
        const char* comment = po_message_comments(message);
        for (const char* part : {context, source, translation, comment}) {
            if (part && qsizetype(std::strlen(part)) > maximumTextLength) {
                if (!lines)
                    lines = messageLines(bytes);
                const QList<int>& found = obsolete ? lines->obsolete : lines->current;
                return Unexpected(failure(index < found.size() ? found[index] : 0,
                                          QStringLiteral("The entry holds a text longer than %1.")
                                              .arg(kilobytes(maximumTextLength))));
            }
        }
        if (obsolete)
            continue;
        if (!context && source && !*source) {
            header = translation;
            continue;
        }
        QString comments = text(comment);
        if (comments.endsWith(u'\n'))
            comments.chop(1);
        po.entries.append(Entry{text(context), text(source), text(translation), comments,
                                bool(po_message_is_fuzzy(message)),
                                po_message_msgid_plural(message) != nullptr});
    }
    if (const QString charset = charsetOf(headerField(header, "Content-Type")); !isUtf8Name(charset)) {
        const qsizetype at = bytes.indexOf("charset=");
        return Unexpected(
            failure(at < 0 ? 0 : lineAt(bytes, at),
                    QStringLiteral("The file is in the character set %1; only UTF-8 is read.").arg(charset)));
    }
    po.language = headerField(header, "Language");
    po.project = headerField(header, "Project-Id-Version");
    po.revisionDate = headerField(header, "PO-Revision-Date");
    return po;
}

foundation::Expected<QByteArray, PoError> PoFile::write() const
{
    for (const Entry& entry : entries) {
        if (entry.context.isEmpty() && entry.source.isEmpty())
            return Unexpected(failure(0, QStringLiteral("An entry has neither context nor source text.")));
        for (const QString& part : {entry.context, entry.source, entry.translation, entry.comment}) {
            if (part.contains(QChar(0)))
                return Unexpected(failure(
                    0, QStringLiteral("An entry holds a NUL character, which a PO file cannot hold.")));
            if (part.size() > maximumTextLength || part.toUtf8().size() > maximumTextLength)
                return Unexpected(failure(0, QStringLiteral("An entry holds a text longer than %1.")
                                                 .arg(kilobytes(maximumTextLength))));
        }
    }
    // The fields that checking tools ask for. A caption has no plural forms, and says so; nobody is named
    // as translator or team.
    const QString header = QStringLiteral("Project-Id-Version: %1\n"
                                          "PO-Revision-Date: %2\n"
                                          "Last-Translator: \n"
                                          "Language-Team: \n"
                                          "Language: %3\n"
                                          "MIME-Version: 1.0\n"
                                          "Content-Type: text/plain; charset=UTF-8\n"
                                          "Content-Transfer-Encoding: 8bit\n"
                                          "Plural-Forms: nplurals=1; plural=0;\n")
                               .arg(oneLine(project), oneLine(revisionDate), oneLine(language));
    MemoryFile output;
    if (!output.isValid())
        return Unexpected(failure(0, QStringLiteral("There is no memory left to write the file.")));
    LibraryCall call;
    const FilePointer file(po_file_create());
    {
        const IteratorPointer messages(po_message_iterator(file.get(), nullptr));
        const auto insert = [&](const Entry& entry) {
            po_message_t message = po_message_create();
            if (!entry.context.isEmpty())
                po_message_set_msgctxt(message, entry.context.toUtf8().constData());
            po_message_set_msgid(message, entry.source.toUtf8().constData());
            po_message_set_msgstr(message, entry.translation.toUtf8().constData());
            if (!entry.comment.isEmpty())
                po_message_set_comments(message, (entry.comment + u'\n').toUtf8().constData());
            po_message_set_fuzzy(message, entry.fuzzy);
            po_message_insert(messages.get(), message);
        };
        insert(Entry{QString(), QString(), header, QString(), false, false});
        for (const Entry& entry : entries)
            insert(entry);
    }
    po_file_write(file.get(), output.path().constData(), &handler);
    if (call.problems.first)
        return Unexpected(*call.problems.first);
    std::optional<QByteArray> bytes = output.readAll();
    if (!bytes)
        return Unexpected(failure(0, QStringLiteral("There is no memory left to write the file.")));
    return std::move(*bytes);
}

QString PoFile::dateText(const QDateTime& time)
{
    const int offset = time.offsetFromUtc() / 60;
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm")) +
           QStringLiteral("%1%2%3")
               .arg(QChar(offset < 0 ? u'-' : u'+'))
               .arg(std::abs(offset) / 60, 2, 10, QLatin1Char('0'))
               .arg(std::abs(offset) % 60, 2, 10, QLatin1Char('0'));
}

} // namespace pelorama::document
