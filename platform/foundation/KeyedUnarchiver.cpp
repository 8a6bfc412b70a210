#include "foundation/KeyedUnarchiver.h"

#include "foundation/KeyedArchiveLayout.h"
#include "foundation/PropertyListNode.h"

#include <QHash>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace foundation {
namespace {

constexpr int depthCeiling = 512;

Unexpected<KeyedArchiveError> failure(const QString& reason)
{
    return Unexpected(KeyedArchiveError{QStringLiteral("The archive cannot be read: %1.").arg(reason)});
}

std::optional<QString> stringAt(plist_t dictionary, const char* key)
{
    plist_t node = plist_dict_get_item(dictionary, key);
    if (!node || plistType(node) != PLIST_STRING)
        return std::nullopt;
    return plistStringValue(node);
}

std::optional<std::uint64_t> uidValue(plist_t node)
{
    if (!node || plistType(node) != PLIST_UID)
        return std::nullopt;
    std::uint64_t uid = 0;
    plist_get_uid_val(node, &uid);
    return uid;
}

class ArchiveReader
{
public:
    ArchiveReader(plist_t objects, const QSet<QString>& allowedClasses, const ArchivedValueCoders& coders,
                  const KeyedUnarchiver::Limits& limits)
        : m_objects(plistArrayItems(objects))
        , m_objectCount(m_objects.size())
        , m_allowedClasses(allowedClasses)
        , m_coders(coders)
        , m_maximumDepth(std::clamp(limits.maximumDepth, 1, depthCeiling))
        , m_maximumValueCount(static_cast<std::uint64_t>(std::max<qsizetype>(limits.maximumValueCount, 1)))
        , m_decoded(m_objectCount)
    {}

    Expected<QVariant, KeyedArchiveError> decode(std::uint64_t uid, int depth)
    {
        if (uid >= m_objectCount)
            return failure(QStringLiteral("a UID is out of range"));
        if (uid == 0)
            return count(Decoded{State::done, {}, 1, 1});
        Decoded& known = m_decoded[uid];
        if (known.state == State::inProgress)
            return failure(QStringLiteral("an object contains itself"));
        if (known.state == State::done) {
            if (depth + known.height - 1 > m_maximumDepth)
                return failure(QStringLiteral("objects are nested too deeply"));
            return count(known);
        }
        if (depth > m_maximumDepth)
            return failure(QStringLiteral("objects are nested too deeply"));

        known.state = State::inProgress;
        const std::uint64_t valuesBefore = m_valueCount;
        m_heightSeen = 0;
        auto value = decodeObject(m_objects[uid], depth);
        if (!value)
            return value;
        Decoded& finished = m_decoded[uid];
        finished.state = State::done;
        finished.value = *value;
        finished.values = m_valueCount - valuesBefore + 1;
        finished.height = m_heightSeen + 1;
        m_valueCount += 1;
        if (m_valueCount > m_maximumValueCount)
            return failure(QStringLiteral("it holds too many values"));
        m_heightSeen = finished.height;
        return finished.value;
    }

private:
    enum class State : std::uint8_t
    {
        unvisited,
        inProgress,
        done,
    };

    struct Decoded
    {
        State state = State::unvisited;
        QVariant value;
        std::uint64_t values = 0; // the object and everything inside it
        int height = 0;           // 1 for an object without members
    };

    Expected<QVariant, KeyedArchiveError> count(const Decoded& decoded)
    {
        m_valueCount += decoded.values;
        if (m_valueCount > m_maximumValueCount)
            return failure(QStringLiteral("it holds too many values"));
        m_heightSeen = decoded.height;
        return decoded.value;
    }

    // Decodes a member of the object at depth; tracks the tallest member for the object's height.
    Expected<QVariant, KeyedArchiveError> decodeMember(plist_t reference, int depth, int& tallest)
    {
        const auto uid = uidValue(reference);
        if (!uid)
            return failure(QStringLiteral("a reference is not a UID"));
        auto member = decode(*uid, depth + 1);
        if (member)
            tallest = std::max(tallest, m_heightSeen);
        return member;
    }

    Expected<QVariant, KeyedArchiveError> decodeObject(plist_t node, int depth)
    {
        if (auto scalar = plistScalarValue(node))
            return *scalar;
        switch (plistType(node)) {
        case PLIST_STRING:
            return QVariant(plistStringValue(node));
        case PLIST_DICT:
            return decodeClassObject(node, depth);
        default:
            return failure(QStringLiteral("an object is of a kind archives do not hold"));
        }
    }

    Expected<QString, KeyedArchiveError> classNameOf(plist_t object)
    {
        const auto uid = uidValue(plist_dict_get_item(object, "$class"));
        if (!uid || *uid == 0 || *uid >= m_objectCount)
            return failure(QStringLiteral("an object has no valid class"));
        plist_t entry = m_objects[*uid];
        if (plistType(entry) != PLIST_DICT || plist_dict_get_size(entry) != 2)
            return failure(QStringLiteral("a class entry is malformed"));
        const auto name = stringAt(entry, "$classname");
        plist_t hierarchy = plist_dict_get_item(entry, "$classes");
        if (!name || plistType(hierarchy) != PLIST_ARRAY)
            return failure(QStringLiteral("a class entry is malformed"));
        const std::vector<plist_t> classes = plistArrayItems(hierarchy);
        if (classes.empty() || std::any_of(classes.begin(), classes.end(),
                                           [](plist_t c) { return plistType(c) != PLIST_STRING; }))
            return failure(QStringLiteral("a class entry is malformed"));
        if (plistStringValue(classes.front()) != *name)
            return failure(QStringLiteral("a class entry is malformed"));
        if (!m_allowedClasses.contains(*name))
            return failure(QStringLiteral("the class \"%1\" is not allowed here").arg(*name));
        return *name;
    }

    Expected<QVariant, KeyedArchiveError> decodeClassObject(plist_t object, int depth)
    {
        auto className = classNameOf(object);
        if (!className)
            return Unexpected(className.error());
        // Every field of the object, so unexpected ones can be refused.
        const auto fields = plistDictionaryEntries(object);
        auto hasExactly = [&fields](std::initializer_list<QLatin1String> expected) {
            if (fields.size() != expected.size() + 1)
                return false;
            return std::all_of(expected.begin(), expected.end(), [&](QLatin1String key) {
                return std::any_of(fields.begin(), fields.end(),
                                   [&](const auto& field) { return field.first == key; });
            });
        };
        if (*className == keyedArchive::arrayClass) {
            if (!hasExactly({keyedArchive::objectsField}))
                return failure(QStringLiteral("an array is malformed"));
            return decodeArray(plist_dict_get_item(object, keyedArchive::objectsField.data()), depth);
        }
        if (*className == keyedArchive::dictionaryClass) {
            if (!hasExactly({keyedArchive::keysField, keyedArchive::objectsField}))
                return failure(QStringLiteral("a dictionary is malformed"));
            return decodeDictionary(plist_dict_get_item(object, keyedArchive::keysField.data()),
                                    plist_dict_get_item(object, keyedArchive::objectsField.data()), depth);
        }
        if (*className == keyedArchive::urlClass) {
            if (!hasExactly({keyedArchive::stringField}))
                return failure(QStringLiteral("a URL is malformed"));
            return decodeUrl(plist_dict_get_item(object, keyedArchive::stringField.data()), depth);
        }
        for (const auto& coder : m_coders)
            if (coder && coder->className() == *className)
                return decodeWithCoder(*coder, fields, depth);
        return failure(QStringLiteral("the class \"%1\" is unknown").arg(*className));
    }

    Expected<QVariant, KeyedArchiveError> decodeArray(plist_t references, int depth)
    {
        if (plistType(references) != PLIST_ARRAY)
            return failure(QStringLiteral("an array is malformed"));
        QVariantList items;
        int tallest = 0;
        const std::vector<plist_t> members = plistArrayItems(references);
        items.reserve(qsizetype(members.size()));
        for (plist_t member : members) {
            auto item = decodeMember(member, depth, tallest);
            if (!item)
                return item;
            items.append(std::move(*item));
        }
        m_heightSeen = tallest;
        return QVariant(items);
    }

    Expected<QVariant, KeyedArchiveError> decodeDictionary(plist_t keyReferences, plist_t valueReferences,
                                                           int depth)
    {
        if (plistType(keyReferences) != PLIST_ARRAY || plistType(valueReferences) != PLIST_ARRAY ||
            plist_array_get_size(keyReferences) != plist_array_get_size(valueReferences))
            return failure(QStringLiteral("a dictionary is malformed"));
        QVariantMap entries;
        int tallest = 0;
        const std::vector<plist_t> keys = plistArrayItems(keyReferences);
        const std::vector<plist_t> values = plistArrayItems(valueReferences);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            auto key = decodeMember(keys[i], depth, tallest);
            if (!key)
                return key;
            if (key->metaType().id() != QMetaType::QString)
                return failure(QStringLiteral("a dictionary key is not text"));
            const QString name = key->toString();
            if (entries.contains(name))
                return failure(QStringLiteral("a dictionary holds the key \"%1\" twice").arg(name));
            auto value = decodeMember(values[i], depth, tallest);
            if (!value)
                return value;
            entries.insert(name, *value);
        }
        m_heightSeen = tallest;
        return QVariant(entries);
    }

    Expected<QVariant, KeyedArchiveError> decodeUrl(plist_t reference, int depth)
    {
        int tallest = 0;
        auto text = decodeMember(reference, depth, tallest);
        if (!text)
            return text;
        if (text->metaType().id() != QMetaType::QString)
            return failure(QStringLiteral("a URL is not text"));
        const QUrl url(text->toString(), QUrl::StrictMode);
        if (!url.isValid())
            return failure(QStringLiteral("a URL is invalid"));
        m_heightSeen = tallest;
        return QVariant(url);
    }

    Expected<QVariant, KeyedArchiveError>
    decodeWithCoder(const ArchivedValueCoder& coder, const std::vector<std::pair<QString, plist_t>>& entries,
                    int depth)
    {
        QVariantMap fields;
        int tallest = 0;
        for (const auto& [key, field] : entries) {
            if (key == QLatin1String("$class"))
                continue;
            if (key.startsWith(u'$'))
                return failure(QStringLiteral("an object holds the reserved key \"%1\"").arg(key));
            switch (plistType(field)) {
            case PLIST_UID: {
                auto text = decodeMember(field, depth, tallest);
                if (!text)
                    return text;
                if (text->metaType().id() != QMetaType::QString)
                    return failure(QStringLiteral("a field of class \"%1\" is not a plain value")
                                       .arg(coder.className()));
                fields.insert(key, *text);
                break;
            }
            case PLIST_BOOLEAN:
            case PLIST_UINT:
            case PLIST_REAL:
            case PLIST_DATA:
                fields.insert(key, *plistScalarValue(field));
                break;
            default:
                return failure(
                    QStringLiteral("a field of class \"%1\" is not a plain value").arg(coder.className()));
            }
        }
        std::optional<QVariant> value = coder.decode(fields);
        if (!value || value->metaType() != coder.valueType())
            return failure(
                QStringLiteral("an object of class \"%1\" holds no valid value").arg(coder.className()));
        m_heightSeen = tallest;
        return *value;
    }

    std::vector<plist_t> m_objects;
    std::uint64_t m_objectCount;
    QSet<QString> m_allowedClasses;
    const ArchivedValueCoders& m_coders;
    int m_maximumDepth;
    std::uint64_t m_maximumValueCount;
    std::vector<Decoded> m_decoded;
    std::uint64_t m_valueCount = 0;
    int m_heightSeen = 0; // height of the value decoded last
};

} // namespace

KeyedUnarchiver::KeyedUnarchiver(QStringList allowedClasses, ArchivedValueCoders coders)
    : KeyedUnarchiver(std::move(allowedClasses), std::move(coders), Limits{})
{}

KeyedUnarchiver::KeyedUnarchiver(QStringList allowedClasses, ArchivedValueCoders coders, Limits limits)
    : m_allowedClasses(std::move(allowedClasses))
    , m_coders(std::move(coders))
    , m_limits(limits)
{}

Expected<QVariant, KeyedArchiveError> KeyedUnarchiver::unarchivedObject(const QByteArray& data) const
{
    if (!data.startsWith("bplist00"))
        return failure(QStringLiteral("it is not a binary property list"));
    PropertyListLimits plistLimits;
    plistLimits.maximumDepth = 8; // archive, "$objects", object, member list, UID
    auto parsed = parseBinaryPlist(data, plistLimits);
    if (!parsed)
        return failure(parsed.error().message);
    plist_t archive = parsed->get();
    if (plistType(archive) != PLIST_DICT || plist_dict_get_size(archive) != 4)
        return failure(QStringLiteral("it is not in the keyed-archive layout"));
    if (stringAt(archive, "$archiver") != QString(keyedArchive::archiverName))
        return failure(QStringLiteral("it was written by an unknown archiver"));
    plist_t version = plist_dict_get_item(archive, "$version");
    std::uint64_t versionValue = 0;
    if (version && plistType(version) == PLIST_UINT)
        plist_get_uint_val(version, &versionValue);
    if (versionValue != keyedArchive::version)
        return failure(QStringLiteral("its version is unknown"));
    plist_t top = plist_dict_get_item(archive, "$top");
    if (!top || plistType(top) != PLIST_DICT || plist_dict_get_size(top) != 1)
        return failure(QStringLiteral("it has no valid \"$top\""));
    const auto root = uidValue(plist_dict_get_item(top, keyedArchive::rootKey.data()));
    if (!root)
        return failure(QStringLiteral("it names no root object"));
    plist_t objects = plist_dict_get_item(archive, "$objects");
    if (!objects || plistType(objects) != PLIST_ARRAY || plist_array_get_size(objects) == 0)
        return failure(QStringLiteral("it has no valid \"$objects\""));
    if (plist_array_get_size(objects) >
        static_cast<std::uint64_t>(std::max<qsizetype>(m_limits.maximumObjectCount, 1)))
        return failure(QStringLiteral("it holds too many objects"));
    plist_t null = plist_array_get_item(objects, 0);
    if (plistType(null) != PLIST_STRING || plistStringValue(null) != keyedArchive::nullObject)
        return failure(QStringLiteral("its first object is not \"$null\""));

    const QSet<QString> allowed(m_allowedClasses.cbegin(), m_allowedClasses.cend());
    auto value = ArchiveReader(objects, allowed, m_coders, m_limits).decode(*root, 1);
    if (!value)
        return Unexpected(value.error());
    return *value;
}

} // namespace foundation
