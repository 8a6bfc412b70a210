#include "foundation/PropertyListNode.h"

#include "foundation/BinaryPropertyListCheck.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace foundation {
namespace {

Unexpected<PropertyListError> failure(const QString& message)
{
    return Unexpected(PropertyListError{message});
}

} // namespace

Expected<PlistNode, PropertyListError> parseBinaryPlist(const QByteArray& data,
                                                        const PropertyListLimits& limits)
{
    if (data.isEmpty())
        return failure(QStringLiteral("The data is empty, not a property list."));
    if (static_cast<std::uint64_t>(data.size()) > UINT32_MAX)
        return failure(QStringLiteral("The data is too large for a property list."));
    if (auto checked = checkBinaryPropertyList(data, limits); !checked)
        return Unexpected(checked.error());
    plist_t root = nullptr;
    plist_from_bin(data.constData(), static_cast<std::uint32_t>(data.size()), &root);
    if (!root)
        return failure(QStringLiteral("The data is not a property list."));
    return PlistNode(root);
}

QByteArray binaryPlistData(plist_t root)
{
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    QByteArray data(bytes, static_cast<qsizetype>(length));
    plist_to_bin_free(bytes);
    return data;
}

QString plistStringValue(plist_t node)
{
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    if (!text)
        return {};
    return QString::fromUtf8(text, static_cast<qsizetype>(length));
}

std::vector<plist_t> plistArrayItems(plist_t array)
{
    std::vector<plist_t> items;
    items.reserve(plist_array_get_size(array));
    plist_array_iter iterator = nullptr;
    plist_array_new_iter(array, &iterator);
    for (;;) {
        plist_t item = nullptr;
        plist_array_next_item(array, iterator, &item);
        if (!item)
            break;
        items.push_back(item);
    }
    std::free(iterator);
    return items;
}

std::vector<std::pair<QString, plist_t>> plistDictionaryEntries(plist_t dictionary)
{
    std::vector<std::pair<QString, plist_t>> entries;
    entries.reserve(plist_dict_get_size(dictionary));
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(dictionary, &iterator);
    for (;;) {
        char* key = nullptr;
        plist_t child = nullptr;
        plist_dict_next_item(dictionary, iterator, &key, &child);
        if (!child) {
            std::free(key);
            break;
        }
        entries.emplace_back(QString::fromUtf8(key), child);
        std::free(key);
    }
    std::free(iterator);
    return entries;
}

std::optional<QVariant> plistScalarValue(plist_t node)
{
    switch (plistType(node)) {
    case PLIST_BOOLEAN: {
        std::uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        return QVariant(flag != 0);
    }
    case PLIST_UINT: {
        std::uint64_t bits = 0;
        plist_get_uint_val(node, &bits);
        return QVariant(static_cast<qint64>(bits));
    }
    case PLIST_REAL: {
        double real = 0;
        plist_get_real_val(node, &real);
        return QVariant(real);
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        std::uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        QByteArray data(bytes, static_cast<qsizetype>(length));
        std::free(bytes);
        return QVariant(data);
    }
    default:
        return std::nullopt;
    }
}

bool isUnsignedBeyondPlistRange(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return value.toULongLong() > static_cast<qulonglong>(std::numeric_limits<qint64>::max());
    default:
        return false;
    }
}

PlistNode plistScalarNode(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return PlistNode(plist_new_bool(value.toBool() ? 1 : 0));
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        // Stored as eight bytes of two's complement, the way binary property lists hold negative numbers.
        return PlistNode(plist_new_uint(static_cast<std::uint64_t>(value.toLongLong())));
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return PlistNode(plist_new_uint(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return PlistNode(plist_new_real(value.toDouble()));
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return PlistNode(plist_new_data(bytes.constData(), static_cast<std::uint64_t>(bytes.size())));
    }
    default:
        return nullptr;
    }
}

} // namespace foundation
