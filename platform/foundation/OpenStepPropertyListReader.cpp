#include "foundation/OpenStepPropertyListReader.h"

#include <QStringDecoder>
#include <optional>

namespace foundation {
namespace {

Unexpected<PropertyListError> failure(const QString& message)
{
    return Unexpected(PropertyListError{message});
}

bool isUnquotedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
           u == '$' || u == '/' || u == ':' || u == '.' || u == '-';
}

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

class OpenStepReader
{
public:
    OpenStepReader(QString text, const PropertyListLimits& limits)
        : m_text(std::move(text))
        , m_limits(limits)
    {}

    Expected<QVariant, PropertyListError> read()
    {
        if (!skipSpace())
            return malformed(QStringLiteral("a comment that does not end"));
        if (atEnd())
            return malformed(QStringLiteral("the text holds no value"));
        auto value = readValue(1);
        if (!value)
            return value;
        if (!skipSpace())
            return malformed(QStringLiteral("a comment that does not end"));
        if (atEnd())
            return value;
        // "key = value;" pairs without braces: a strings file, read as one dictionary.
        if (peek() == u'=' && value->typeId() == QMetaType::QString) {
            m_position = 0;
            m_line = 1;
            m_valueCount = 0;
            return readEntries(1, false);
        }
        return malformed(QStringLiteral("content follows the property list"));
    }

private:
    bool atEnd() const { return m_position >= m_text.size(); }
    QChar peek() const { return m_text.at(m_position); }
    QChar next()
    {
        const QChar c = m_text.at(m_position++);
        if (c == u'\n')
            ++m_line;
        return c;
    }

    // Passes over white space and comments; false for a comment that does not end.
    bool skipSpace()
    {
        while (!atEnd()) {
            const QChar c = peek();
            if (c.isSpace()) {
                next();
                continue;
            }
            if (c != u'/' || m_position + 1 >= m_text.size())
                return true;
            const QChar second = m_text.at(m_position + 1);
            if (second == u'/') {
                while (!atEnd() && peek() != u'\n')
                    next();
            } else if (second == u'*') {
                m_position += 2;
                const qsizetype end = m_text.indexOf(QStringLiteral("*/"), m_position);
                if (end < 0)
                    return false;
                while (m_position < end + 2)
                    next();
            } else {
                return true;
            }
        }
        return true;
    }

    bool countValue() { return ++m_valueCount <= m_limits.maximumValueCount; }

    // The value that starts here; depth is its nesting level, the root's being 1.
    Expected<QVariant, PropertyListError> readValue(int depth)
    {
        if (!countValue())
            return failure(QStringLiteral("The property list holds too many values."));
        const QChar c = peek();
        if (c == u'{') {
            next();
            return readEntries(depth, true);
        }
        if (c == u'(') {
            next();
            return readArray(depth);
        }
        if (c == u'<') {
            next();
            return readData();
        }
        auto text = readString();
        if (!text)
            return Unexpected(text.error());
        return QVariant(*text);
    }

    // The entries of a dictionary up to its closing brace, or up to the end for a strings file.
    Expected<QVariant, PropertyListError> readEntries(int depth, bool braced)
    {
        if (depth > m_limits.maximumDepth)
            return failure(QStringLiteral("The property list is nested too deeply."));
        QVariantMap entries;
        for (;;) {
            if (!skipSpace())
                return malformed(QStringLiteral("a comment that does not end"));
            if (atEnd()) {
                if (braced)
                    return malformed(QStringLiteral("a dictionary that does not end"));
                return QVariant(entries);
            }
            if (braced && peek() == u'}') {
                next();
                return QVariant(entries);
            }
            if (!countValue())
                return failure(QStringLiteral("The property list holds too many values."));
            auto key = readString();
            if (!key)
                return Unexpected(key.error());
            if (!skipSpace())
                return malformed(QStringLiteral("a comment that does not end"));
            QVariant value(*key); // "key;" stands for "key = key;"
            if (!atEnd() && peek() == u'=') {
                next();
                if (!skipSpace())
                    return malformed(QStringLiteral("a comment that does not end"));
                if (atEnd())
                    return malformed(QStringLiteral("the key \"%1\" has no value").arg(*key));
                auto read = readValue(depth + 1);
                if (!read)
                    return read;
                value = std::move(*read);
                if (!skipSpace())
                    return malformed(QStringLiteral("a comment that does not end"));
            }
            if (atEnd() || peek() != u';')
                return malformed(QStringLiteral("the entry \"%1\" does not end with \";\"").arg(*key));
            next();
            entries.insert(*key, value);
        }
    }

    Expected<QVariant, PropertyListError> readArray(int depth)
    {
        if (depth > m_limits.maximumDepth)
            return failure(QStringLiteral("The property list is nested too deeply."));
        QVariantList items;
        for (;;) {
            if (!skipSpace())
                return malformed(QStringLiteral("a comment that does not end"));
            if (atEnd())
                return malformed(QStringLiteral("an array that does not end"));
            if (peek() == u')') {
                next();
                return QVariant(items);
            }
            auto item = readValue(depth + 1);
            if (!item)
                return item;
            items.append(std::move(*item));
            if (!skipSpace())
                return malformed(QStringLiteral("a comment that does not end"));
            if (atEnd())
                return malformed(QStringLiteral("an array that does not end"));
            if (peek() == u',')
                next();
            else if (peek() != u')')
                return malformed(QStringLiteral("array values that are not separated by \",\""));
        }
    }

    Expected<QVariant, PropertyListError> readData()
    {
        QByteArray bytes;
        int high = -1;
        for (;;) {
            if (atEnd())
                return malformed(QStringLiteral("data that does not end"));
            const QChar c = next();
            if (c == u'>') {
                if (high >= 0)
                    return malformed(QStringLiteral("data with an odd number of hexadecimal digits"));
                return QVariant(bytes);
            }
            if (c.isSpace())
                continue;
            const int digit = hexDigitValue(c);
            if (digit < 0)
                return malformed(QStringLiteral("data that is not hexadecimal"));
            if (high < 0) {
                high = digit;
            } else {
                bytes.append(char(high * 16 + digit));
                high = -1;
            }
        }
    }

    Expected<QString, PropertyListError> readString()
    {
        const QChar c = peek();
        if (c == u'"' || c == u'\'')
            return readQuoted();
        if (!isUnquotedCharacter(c))
            return malformed(QStringLiteral("the unexpected character \"%1\"").arg(c));
        const qsizetype start = m_position;
        while (!atEnd() && isUnquotedCharacter(peek()))
            ++m_position;
        return m_text.mid(start, m_position - start);
    }

    Expected<QString, PropertyListError> readQuoted()
    {
        const QChar quote = next();
        QString text;
        for (;;) {
            if (atEnd())
                return malformed(QStringLiteral("a string that does not end"));
            QChar c = next();
            if (c == quote)
                return text;
            if (c == u'\\') {
                if (atEnd())
                    return malformed(QStringLiteral("a string that does not end"));
                c = escaped(next());
            }
            // Property lists are written as C strings, which cannot hold one.
            if (c.isNull())
                return malformed(QStringLiteral("a string holding a NUL character"));
            text.append(c);
        }
    }

    // The character that a backslash and c (and what follows c) stand for.
    QChar escaped(QChar c)
    {
        switch (c.unicode()) {
        case u'a':
            return QChar(u'\a');
        case u'b':
            return QChar(u'\b');
        case u'f':
            return QChar(u'\f');
        case u'n':
            return QChar(u'\n');
        case u'r':
            return QChar(u'\r');
        case u't':
            return QChar(u'\t');
        case u'v':
            return QChar(u'\v');
        case u'U': {
            int value = 0;
            int digits = 0;
            while (digits < 4 && !atEnd() && hexDigitValue(peek()) >= 0) {
                value = value * 16 + hexDigitValue(next());
                ++digits;
            }
            return digits == 0 ? c : QChar(char16_t(value));
        }
        default:
            break;
        }
        if (c >= u'0' && c <= u'7') {
            int value = c.unicode() - u'0';
            for (int digits = 1; digits < 3 && !atEnd() && peek() >= u'0' && peek() <= u'7'; ++digits)
                value = value * 8 + (next().unicode() - u'0');
            return QChar(char16_t(value));
        }
        return c;
    }

    Unexpected<PropertyListError> malformed(const QString& problem) const
    {
        return failure(
            QStringLiteral("The text property list is malformed: %1 (line %2).").arg(problem).arg(m_line));
    }

    const QString m_text;
    const PropertyListLimits& m_limits;
    qsizetype m_position = 0;
    int m_line = 1;
    std::uint64_t m_valueCount = 0;
};

} // namespace

Expected<QVariant, PropertyListError> readOpenStepPropertyList(const QByteArray& data,
                                                               const PropertyListLimits& limits)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(data);
    if (decoder.hasError())
        return failure(QStringLiteral("The property list is neither binary nor UTF-8 text."));
    return OpenStepReader(std::move(text), limits).read();
}

} // namespace foundation
