#include "foundation/XmlPropertyListReader.h"

#include <QDateTime>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <cmath>
#include <limits>
#include <optional>

namespace foundation {
namespace {

using Token = QXmlStreamReader::TokenType;

Unexpected<PropertyListError> failure(const QString& message)
{
    return Unexpected(PropertyListError{message});
}

std::optional<double> realValue(const QString& text)
{
    const QString word = text.toLower();
    if (word == QLatin1String("nan"))
        return std::numeric_limits<double>::quiet_NaN();
    if (word == QLatin1String("inf") || word == QLatin1String("+inf") || word == QLatin1String("infinity") ||
        word == QLatin1String("+infinity"))
        return std::numeric_limits<double>::infinity();
    if (word == QLatin1String("-inf") || word == QLatin1String("-infinity"))
        return -std::numeric_limits<double>::infinity();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Dates are written in UTC with a trailing "Z", optionally with milliseconds.
std::optional<QDateTime> dateValue(const QString& text)
{
    if (!text.endsWith(u'Z'))
        return std::nullopt;
    const QDateTime date = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!date.isValid())
        return std::nullopt;
    return date.toUTC();
}

// Base64 with any white space between its characters.
std::optional<QByteArray> dataValue(const QString& text)
{
    QByteArray encoded;
    encoded.reserve(text.size());
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        if (c.unicode() > 0x7F)
            return std::nullopt;
        encoded += char(c.unicode());
    }
    auto decoded = QByteArray::fromBase64Encoding(encoded, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return *decoded;
}

class XmlReader
{
public:
    XmlReader(const QByteArray& data, const PropertyListLimits& limits)
        : m_xml(data)
        , m_limits(limits)
    {}

    Expected<QVariant, PropertyListError> read()
    {
        if (nextSignificant() != Token::StartElement)
            return malformed(QStringLiteral("no element"));
        // The <plist> wrapper is usual but optional.
        const bool wrapped = m_xml.name() == u"plist";
        if (wrapped && nextSignificant() != Token::StartElement)
            return malformed(QStringLiteral("the property list holds no value"));
        auto value = readValue(1);
        if (!value)
            return value;
        if (wrapped && nextSignificant() != Token::EndElement)
            return malformed(QStringLiteral("the property list holds more than one value"));
        if (nextSignificant() != Token::EndDocument)
            return malformed(QStringLiteral("content follows the property list"));
        return value;
    }

private:
    // The next token that matters between elements: comments, processing instructions and white space
    // are passed over.
    Token nextSignificant()
    {
        for (;;) {
            switch (m_xml.readNext()) {
            case Token::StartDocument:
            case Token::Comment:
            case Token::ProcessingInstruction:
                continue;
            case Token::Characters:
                if (m_xml.isWhitespace())
                    continue;
                return Token::Characters;
            case Token::DTD:
                if (!m_xml.entityDeclarations().isEmpty()) {
                    m_xml.raiseError(QStringLiteral("the document type declares entities"));
                    return Token::Invalid;
                }
                continue;
            default:
                return m_xml.tokenType();
            }
        }
    }

    // The text of the element just started, up to its end: character data, CDATA sections and the
    // predefined entities; comments inside are dropped, an element inside is an error.
    Expected<QString, PropertyListError> readText()
    {
        QString text;
        for (;;) {
            switch (m_xml.readNext()) {
            case Token::Characters:
                text += m_xml.text();
                break;
            case Token::Comment:
            case Token::ProcessingInstruction:
                break;
            case Token::EndElement:
                return text;
            case Token::StartElement:
                return malformed(QStringLiteral("an element inside a value"));
            case Token::EntityReference:
                return malformed(QStringLiteral("an entity that is not declared"));
            default:
                return malformed(QStringLiteral("a value that does not end"));
            }
        }
    }

    bool countValue() { return ++m_valueCount <= m_limits.maximumValueCount; }

    // Reads the element just started and everything inside it; depth is its nesting level.
    Expected<QVariant, PropertyListError> readValue(int depth)
    {
        if (!countValue())
            return failure(QStringLiteral("The property list holds too many values."));
        const QString name = m_xml.name().toString();
        if (name == QLatin1String("dict"))
            return readDictionary(depth);
        if (name == QLatin1String("array"))
            return readArray(depth);
        auto text = readText();
        if (!text)
            return Unexpected(text.error());
        if (name == QLatin1String("string"))
            return QVariant(*text);
        const QString trimmed = text->trimmed();
        if (name == QLatin1String("true") || name == QLatin1String("false")) {
            if (!trimmed.isEmpty())
                return malformed(QStringLiteral("a truth value with content"));
            return QVariant(name == QLatin1String("true"));
        }
        if (name == QLatin1String("integer")) {
            bool ok = false;
            const qint64 number = trimmed.toLongLong(&ok, 10);
            if (!ok)
                return malformed(QStringLiteral("the integer \"%1\" is invalid or too large").arg(trimmed));
            return QVariant(number);
        }
        if (name == QLatin1String("real")) {
            const auto number = realValue(trimmed);
            if (!number)
                return malformed(QStringLiteral("the real \"%1\" is invalid").arg(trimmed));
            return QVariant(*number);
        }
        if (name == QLatin1String("date")) {
            const auto date = dateValue(trimmed);
            if (!date)
                return malformed(QStringLiteral("the date \"%1\" is invalid").arg(trimmed));
            return QVariant(*date);
        }
        if (name == QLatin1String("data")) {
            const auto bytes = dataValue(trimmed);
            if (!bytes)
                return malformed(QStringLiteral("data that is not Base64"));
            return QVariant(*bytes);
        }
        return malformed(QStringLiteral("the unknown element <%1>").arg(name));
    }

    Expected<QVariant, PropertyListError> readArray(int depth)
    {
        if (depth > m_limits.maximumDepth)
            return failure(QStringLiteral("The property list is nested too deeply."));
        QVariantList items;
        for (;;) {
            const Token token = nextSignificant();
            if (token == Token::EndElement)
                return QVariant(items);
            if (token != Token::StartElement)
                return malformed(QStringLiteral("an array holds something other than values"));
            auto item = readValue(depth + 1);
            if (!item)
                return item;
            items.append(std::move(*item));
        }
    }

    Expected<QVariant, PropertyListError> readDictionary(int depth)
    {
        if (depth > m_limits.maximumDepth)
            return failure(QStringLiteral("The property list is nested too deeply."));
        QVariantMap entries;
        for (;;) {
            Token token = nextSignificant();
            if (token == Token::EndElement)
                return QVariant(entries);
            if (token != Token::StartElement || m_xml.name() != u"key")
                return malformed(QStringLiteral("a dictionary holds something other than keys and values"));
            if (!countValue())
                return failure(QStringLiteral("The property list holds too many values."));
            auto key = readText();
            if (!key)
                return Unexpected(key.error());
            token = nextSignificant();
            if (token != Token::StartElement)
                return malformed(QStringLiteral("the key \"%1\" has no value").arg(*key));
            auto value = readValue(depth + 1);
            if (!value)
                return value;
            entries.insert(*key, *value);
        }
    }

    // The reader's own error when it found one, else problem, which becomes the reader's error.
    Unexpected<PropertyListError> malformed(const QString& problem)
    {
        if (!m_xml.hasError())
            m_xml.raiseError(problem);
        return failure(QStringLiteral("The XML property list is malformed: %1 (line %2).")
                           .arg(m_xml.errorString())
                           .arg(m_xml.lineNumber()));
    }

    QXmlStreamReader m_xml;
    const PropertyListLimits& m_limits;
    std::uint64_t m_valueCount = 0;
};

} // namespace

Expected<QVariant, PropertyListError> readXmlPropertyList(const QByteArray& data,
                                                          const PropertyListLimits& limits)
{
    return XmlReader(data, limits).read();
}

} // namespace foundation
