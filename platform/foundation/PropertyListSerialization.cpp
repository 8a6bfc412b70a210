#include "foundation/PropertyListSerialization.h"

#include "foundation/OpenStepPropertyListReader.h"
#include "foundation/PropertyListNode.h"
#include "foundation/XmlPropertyListReader.h"

#include <QDateTime>
#include <QTimeZone>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace foundation {
namespace {

// Seconds from the Unix epoch to the property-list epoch, 2001-01-01T00:00:00Z.
constexpr qint64 referenceDateOffset = 978307200;

Unexpected<PropertyListError> failure(const QString& message)
{
    return Unexpected(PropertyListError{message});
}

Expected<PlistNode, PropertyListError> stringNode(const QString& text)
{
    if (text.contains(QChar(u'\0')))
        return failure(QStringLiteral("Text with a NUL character cannot be written in a property list."));
    return PlistNode(plist_new_string(text.toUtf8().constData()));
}

Expected<PlistNode, PropertyListError> dateNode(const QDateTime& date)
{
    if (!date.isValid())
        return failure(QStringLiteral("An invalid date cannot be written in a property list."));
    const qint64 microseconds = date.toMSecsSinceEpoch() * 1000 - referenceDateOffset * 1'000'000;
    const qint64 seconds = microseconds >= 0 ? microseconds / 1'000'000 : -((-microseconds) / 1'000'000);
    const qint64 fraction = microseconds - seconds * 1'000'000; // carries the sign of microseconds
    if (seconds < std::numeric_limits<std::int32_t>::min() ||
        seconds > std::numeric_limits<std::int32_t>::max())
        return failure(QStringLiteral("The date %1 is out of the range a property list can hold.")
                           .arg(date.toString(Qt::ISODate)));
    return PlistNode(plist_new_date(static_cast<std::int32_t>(seconds), static_cast<std::int32_t>(fraction)));
}

Expected<PlistNode, PropertyListError> nodeFromVariant(const QVariant& value, int depth, int maximumDepth);

Expected<PlistNode, PropertyListError> arrayNode(const QVariantList& items, int depth, int maximumDepth)
{
    PlistNode array(plist_new_array());
    for (const QVariant& item : items) {
        auto node = nodeFromVariant(item, depth + 1, maximumDepth);
        if (!node)
            return node;
        plist_array_append_item(array.get(), node->release());
    }
    return array;
}

template <typename Map>
Expected<PlistNode, PropertyListError> dictionaryNode(const Map& entries, int depth, int maximumDepth)
{
    PlistNode dictionary(plist_new_dict());
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        if (entry.key().contains(QChar(u'\0')))
            return failure(
                QStringLiteral("A key with a NUL character cannot be written in a property list."));
        auto node = nodeFromVariant(entry.value(), depth + 1, maximumDepth);
        if (!node)
            return node;
        plist_dict_set_item(dictionary.get(), entry.key().toUtf8().constData(), node->release());
    }
    return dictionary;
}

Expected<PlistNode, PropertyListError> nodeFromVariant(const QVariant& value, int depth, int maximumDepth)
{
    switch (value.metaType().id()) {
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash:
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        if (depth >= maximumDepth)
            return failure(QStringLiteral("The property list is nested too deeply."));
        break;
    default:
        break;
    }
    if (isUnsignedBeyondPlistRange(value))
        return failure(
            QStringLiteral("The integer %1 is too large for a property list.").arg(value.toULongLong()));
    if (PlistNode scalar = plistScalarNode(value))
        return scalar;
    switch (value.metaType().id()) {
    case QMetaType::QVariantMap:
        return dictionaryNode(value.toMap(), depth, maximumDepth);
    case QMetaType::QVariantHash:
        return dictionaryNode(value.toHash(), depth, maximumDepth);
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return arrayNode(value.toList(), depth, maximumDepth);
    case QMetaType::QString:
        return stringNode(value.toString());
    case QMetaType::QDateTime:
        return dateNode(value.toDateTime());
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return failure(QStringLiteral("A null value cannot be written in a property list."));
    default:
        return failure(QStringLiteral("A value of type %1 cannot be written in a property list.")
                           .arg(QString::fromLatin1(value.metaType().name())));
    }
}

class VariantReader
{
public:
    explicit VariantReader(const PropertyListLimits& limits)
        : m_limits(limits)
    {}

    Expected<QVariant, PropertyListError> read(plist_t node, int depth)
    {
        if (++m_valueCount > m_limits.maximumValueCount)
            return failure(QStringLiteral("The property list holds too many values."));
        if (auto scalar = plistScalarValue(node))
            return *scalar;
        switch (plist_get_node_type(node)) {
        case PLIST_STRING:
        case PLIST_KEY:
            return QVariant(plistStringValue(node));
        case PLIST_DATE: {
            std::int32_t seconds = 0;
            std::int32_t microseconds = 0;
            plist_get_date_val(node, &seconds, &microseconds);
            // The library splits a time before the epoch into truncated seconds and a positive fraction.
            const qint64 fraction = seconds < 0 ? -std::abs(qint64{microseconds}) : qint64{microseconds};
            const qint64 milliseconds = (qint64{seconds} + referenceDateOffset) * 1000 + fraction / 1000;
            return QVariant(QDateTime::fromMSecsSinceEpoch(milliseconds, QTimeZone::utc()));
        }
        case PLIST_ARRAY:
            return readArray(node, depth);
        case PLIST_DICT:
            return readDictionary(node, depth);
        case PLIST_UID:
            return failure(QStringLiteral(
                "The property list holds a keyed-archive UID, which is no property-list value."));
        default:
            return failure(QStringLiteral("The property list holds a value of an unknown kind."));
        }
    }

private:
    Expected<QVariant, PropertyListError> readArray(plist_t node, int depth)
    {
        if (depth >= m_limits.maximumDepth)
            return failure(QStringLiteral("The property list is nested too deeply."));
        QVariantList items;
        const std::vector<plist_t> children = plistArrayItems(node);
        items.reserve(qsizetype(children.size()));
        for (plist_t child : children) {
            auto item = read(child, depth + 1);
            if (!item)
                return item;
            items.append(std::move(*item));
        }
        return QVariant(items);
    }

    Expected<QVariant, PropertyListError> readDictionary(plist_t node, int depth)
    {
        if (depth >= m_limits.maximumDepth)
            return failure(QStringLiteral("The property list is nested too deeply."));
        QVariantMap entries;
        for (const auto& [name, child] : plistDictionaryEntries(node)) {
            auto item = read(child, depth + 1);
            if (!item)
                return item;
            entries.insert(name, *item);
        }
        return QVariant(entries);
    }

    const PropertyListLimits& m_limits;
    std::uint64_t m_valueCount = 0;
};

// Whether data that is not binary is XML rather than the text form: after a byte order mark and white
// space, XML starts with a markup tag, where the text form starts with a value. Of the values, only data
// starts with "<", and it holds nothing but hexadecimal digits and white space up to its ">".
bool isXml(const QByteArray& data)
{
    if (data.startsWith("\xFE\xFF") || data.startsWith("\xFF\xFE"))
        return true;
    qsizetype at = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < data.size() && std::isspace(static_cast<unsigned char>(data[at])))
        ++at;
    if (at >= data.size() || data[at] != '<')
        return false;
    for (++at; at < data.size(); ++at) {
        const auto c = static_cast<unsigned char>(data[at]);
        if (c == '>')
            return false;
        if (!std::isxdigit(c) && !std::isspace(c))
            return true;
    }
    return true;
}

} // namespace

Expected<QByteArray, PropertyListError> PropertyListSerialization::dataFromPropertyList(const QVariant& value,
                                                                                        int maximumDepth)
{
    auto root = nodeFromVariant(value, 0, maximumDepth);
    if (!root)
        return Unexpected(root.error());
    return binaryPlistData(root->get());
}

Expected<QVariant, PropertyListError>
PropertyListSerialization::propertyListFromData(const QByteArray& data, const PropertyListLimits& limits)
{
    if (!data.startsWith("bplist"))
        return isXml(data) ? readXmlPropertyList(data, limits) : readOpenStepPropertyList(data, limits);
    auto root = parseBinaryPlist(data, limits);
    if (!root)
        return Unexpected(root.error());
    return VariantReader(limits).read(root->get(), 0);
}

} // namespace foundation
