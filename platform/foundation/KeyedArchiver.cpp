#include "foundation/KeyedArchiver.h"

#include "foundation/KeyedArchiveLayout.h"
#include "foundation/PropertyListNode.h"

#include <QHash>
#include <QUrl>
#include <cstdint>
#include <vector>

namespace foundation {
namespace {

Unexpected<KeyedArchiveError> failure(const QString& message)
{
    return Unexpected(KeyedArchiveError{message});
}

bool isTextWithoutNul(const QString& text)
{
    return !text.contains(QChar(u'\0'));
}

class ArchiveBuilder
{
public:
    explicit ArchiveBuilder(const ArchivedValueCoders& coders)
        : m_coders(coders)
    {
        m_objects.emplace_back(plist_new_string(keyedArchive::nullObject.data()));
    }

    Expected<std::uint64_t, KeyedArchiveError> encode(const QVariant& value, int depth)
    {
        if (depth > KeyedArchiver::maximumDepth)
            return failure(QStringLiteral("The value is nested too deeply to archive."));
        const int type = value.metaType().id();
        if (type == QMetaType::UnknownType || type == QMetaType::Nullptr)
            return std::uint64_t{0};
        if (isUnsignedBeyondPlistRange(value))
            return failure(
                QStringLiteral("The integer %1 is too large to archive.").arg(value.toULongLong()));
        if (PlistNode scalar = plistScalarNode(value))
            return add(scalar.release());
        switch (type) {
        case QMetaType::QString:
            return encodeString(value.toString());
        case QMetaType::QVariantList:
        case QMetaType::QStringList:
            return encodeArray(value.toList(), depth);
        case QMetaType::QVariantMap:
            return encodeDictionary(value.toMap(), depth);
        case QMetaType::QVariantHash:
            return encodeDictionary(value.toHash(), depth);
        case QMetaType::QUrl:
            return encodeUrl(value.toUrl());
        default:
            for (const auto& coder : m_coders)
                if (coder && coder->valueType() == value.metaType())
                    return encodeWithCoder(*coder, value);
            return failure(QStringLiteral("A value of type %1 cannot be archived.")
                               .arg(QString::fromLatin1(value.metaType().name())));
        }
    }

    QByteArray finish(std::uint64_t root)
    {
        PlistNode archive(plist_new_dict());
        plist_dict_set_item(archive.get(), "$archiver", plist_new_string(keyedArchive::archiverName.data()));
        plist_dict_set_item(archive.get(), "$version", plist_new_uint(keyedArchive::version));
        plist_t top = plist_new_dict();
        plist_dict_set_item(top, keyedArchive::rootKey.data(), plist_new_uid(root));
        plist_dict_set_item(archive.get(), "$top", top);
        plist_t objects = plist_new_array();
        for (PlistNode& object : m_objects)
            plist_array_append_item(objects, object.release());
        plist_dict_set_item(archive.get(), "$objects", objects);
        return binaryPlistData(archive.get());
    }

private:
    std::uint64_t add(plist_t node)
    {
        m_objects.emplace_back(node);
        return m_objects.size() - 1;
    }

    // Containers take their UID before their members, so the root of an archive is always UID 1.
    std::uint64_t reserve()
    {
        m_objects.emplace_back();
        return m_objects.size() - 1;
    }

    Expected<std::uint64_t, KeyedArchiveError> encodeString(const QString& text)
    {
        if (!isTextWithoutNul(text))
            return failure(QStringLiteral("Text with a NUL character cannot be archived."));
        if (auto known = m_strings.constFind(text); known != m_strings.cend())
            return *known;
        const std::uint64_t uid = add(plist_new_string(text.toUtf8().constData()));
        m_strings.insert(text, uid);
        return uid;
    }

    std::uint64_t classUid(const QString& name)
    {
        if (auto known = m_classes.constFind(name); known != m_classes.cend())
            return *known;
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, "$classname", plist_new_string(name.toUtf8().constData()));
        plist_t hierarchy = plist_new_array();
        plist_array_append_item(hierarchy, plist_new_string(name.toUtf8().constData()));
        plist_array_append_item(hierarchy, plist_new_string(keyedArchive::baseClassName.data()));
        plist_dict_set_item(entry, "$classes", hierarchy);
        const std::uint64_t uid = add(entry);
        m_classes.insert(name, uid);
        return uid;
    }

    PlistNode objectNode(const QString& className)
    {
        PlistNode object(plist_new_dict());
        plist_dict_set_item(object.get(), "$class", plist_new_uid(classUid(className)));
        return object;
    }

    Expected<std::uint64_t, KeyedArchiveError> encodeArray(const QVariantList& items, int depth)
    {
        const std::uint64_t uid = reserve();
        plist_t members = plist_new_array();
        PlistNode object = objectNode(keyedArchive::arrayClass);
        plist_dict_set_item(object.get(), keyedArchive::objectsField.data(), members);
        for (const QVariant& item : items) {
            auto member = encode(item, depth + 1);
            if (!member)
                return member;
            plist_array_append_item(members, plist_new_uid(*member));
        }
        m_objects[uid] = std::move(object);
        return uid;
    }

    template <typename Map>
    Expected<std::uint64_t, KeyedArchiveError> encodeDictionary(const Map& entries, int depth)
    {
        const std::uint64_t uid = reserve();
        plist_t keys = plist_new_array();
        plist_t values = plist_new_array();
        PlistNode object = objectNode(keyedArchive::dictionaryClass);
        plist_dict_set_item(object.get(), keyedArchive::keysField.data(), keys);
        plist_dict_set_item(object.get(), keyedArchive::objectsField.data(), values);
        for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
            auto key = encodeString(entry.key());
            if (!key)
                return key;
            auto member = encode(entry.value(), depth + 1);
            if (!member)
                return member;
            plist_array_append_item(keys, plist_new_uid(*key));
            plist_array_append_item(values, plist_new_uid(*member));
        }
        m_objects[uid] = std::move(object);
        return uid;
    }

    Expected<std::uint64_t, KeyedArchiveError> encodeUrl(const QUrl& url)
    {
        if (!url.isValid())
            return failure(QStringLiteral("An invalid URL cannot be archived."));
        const std::uint64_t uid = reserve();
        PlistNode object = objectNode(keyedArchive::urlClass);
        auto text = encodeString(url.toString(QUrl::FullyEncoded));
        if (!text)
            return text;
        plist_dict_set_item(object.get(), keyedArchive::stringField.data(), plist_new_uid(*text));
        m_objects[uid] = std::move(object);
        return uid;
    }

    Expected<std::uint64_t, KeyedArchiveError> encodeWithCoder(const ArchivedValueCoder& coder,
                                                               const QVariant& value)
    {
        const std::uint64_t uid = reserve();
        PlistNode object = objectNode(coder.className());
        const QVariantMap fields = coder.encode(value);
        for (auto field = fields.cbegin(); field != fields.cend(); ++field) {
            const QString& name = field.key();
            if (name.startsWith(u'$') || !isTextWithoutNul(name))
                return failure(QStringLiteral("The field name \"%1\" of class %2 is reserved or invalid.")
                                   .arg(name, coder.className()));
            const QByteArray key = name.toUtf8();
            const QVariant& fieldValue = field.value();
            switch (fieldValue.metaType().id()) {
            case QMetaType::QString: {
                auto text = encodeString(fieldValue.toString());
                if (!text)
                    return text;
                plist_dict_set_item(object.get(), key.constData(), plist_new_uid(*text));
                break;
            }
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::Double:
            case QMetaType::Float:
            case QMetaType::QByteArray:
                plist_dict_set_item(object.get(), key.constData(), plistScalarNode(fieldValue).release());
                break;
            default:
                return failure(
                    QStringLiteral("The field \"%1\" of class %2 is of a kind that cannot be archived.")
                        .arg(name, coder.className()));
            }
        }
        m_objects[uid] = std::move(object);
        return uid;
    }

    const ArchivedValueCoders& m_coders;
    std::vector<PlistNode> m_objects;
    QHash<QString, std::uint64_t> m_strings;
    QHash<QString, std::uint64_t> m_classes;
};

} // namespace

KeyedArchiver::KeyedArchiver(ArchivedValueCoders coders)
    : m_coders(std::move(coders))
{}

Expected<QByteArray, KeyedArchiveError> KeyedArchiver::archivedData(const QVariant& rootObject) const
{
    ArchiveBuilder builder(m_coders);
    auto root = builder.encode(rootObject, 0);
    if (!root)
        return Unexpected(root.error());
    return builder.finish(*root);
}

} // namespace foundation
