#include "foundation/KeyedArchiver.h"

#include "foundation/KeyedUnarchiver.h"

#include <QSize>
#include <QUrl>
#include <gtest/gtest.h>
#include <plist/plist.h>
#include <vector>

using foundation::ArchivedValueCoder;
using foundation::KeyedArchiver;
using foundation::KeyedUnarchiver;

namespace {

const QStringList containers{"Array", "Dictionary", "URL"};

// A value type of a library above foundation, taught to archives through the extension point.
class SizeCoder : public ArchivedValueCoder
{
public:
    QString className() const override { return "Size"; }
    QMetaType valueType() const override { return QMetaType::fromType<QSize>(); }
    QVariantMap encode(const QVariant& value) const override
    {
        return {{"width", value.toSize().width()}, {"height", value.toSize().height()}, {"unit", "pt"}};
    }
    std::optional<QVariant> decode(const QVariantMap& fields) const override
    {
        if (fields.value("width").metaType().id() != QMetaType::LongLong ||
            fields.value("height").metaType().id() != QMetaType::LongLong || fields.value("unit") != "pt")
            return std::nullopt;
        return QVariant(QSize(fields["width"].toInt(), fields["height"].toInt()));
    }
};

const foundation::ArchivedValueCoders sizeCoders{std::make_shared<SizeCoder>()};

QByteArray archive(const QVariant& value, const foundation::ArchivedValueCoders& coders = {})
{
    auto data = KeyedArchiver(coders).archivedData(value);
    EXPECT_TRUE(data.hasValue()) << (data ? "" : data.error().message.toStdString());
    return data ? *data : QByteArray();
}

QVariant unarchive(const QByteArray& data, const QStringList& allowed = containers,
                   const foundation::ArchivedValueCoders& coders = {})
{
    auto value = KeyedUnarchiver(allowed, coders).unarchivedObject(data);
    EXPECT_TRUE(value.hasValue()) << (value ? "" : value.error().message.toStdString());
    return value ? *value : QVariant();
}

struct Plist
{
    plist_t node;
    ~Plist() { plist_free(node); }
};

QByteArray binary(plist_t node)
{
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(node, &bytes, &length);
    QByteArray data(bytes, length);
    plist_to_bin_free(bytes);
    return data;
}

plist_t uidArray(std::initializer_list<uint64_t> uids)
{
    plist_t array = plist_new_array();
    for (uint64_t uid : uids)
        plist_array_append_item(array, plist_new_uid(uid));
    return array;
}

plist_t classEntry(const char* name)
{
    plist_t entry = plist_new_dict();
    plist_dict_set_item(entry, "$classname", plist_new_string(name));
    plist_t classes = plist_new_array();
    plist_array_append_item(classes, plist_new_string(name));
    plist_array_append_item(classes, plist_new_string("Object"));
    plist_dict_set_item(entry, "$classes", classes);
    return entry;
}

plist_t arrayObject(uint64_t classUid, std::initializer_list<uint64_t> members)
{
    plist_t object = plist_new_dict();
    plist_dict_set_item(object, "$class", plist_new_uid(classUid));
    plist_dict_set_item(object, "objects", uidArray(members));
    return object;
}

// An archive of the given objects after "$null", with root UID 1.
QByteArray handMade(const std::vector<plist_t>& objects, uint64_t root = 1)
{
    Plist archive{plist_new_dict()};
    plist_dict_set_item(archive.node, "$archiver", plist_new_string("KeyedArchiver"));
    plist_dict_set_item(archive.node, "$version", plist_new_uint(100000));
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(root));
    plist_dict_set_item(archive.node, "$top", top);
    plist_t list = plist_new_array();
    plist_array_append_item(list, plist_new_string("$null"));
    for (plist_t object : objects)
        plist_array_append_item(list, object);
    plist_dict_set_item(archive.node, "$objects", list);
    return binary(archive.node);
}

} // namespace

TEST(FoundationTest, KeyedArchiveRoundTripsNestedValues)
{
    const QVariantMap screenshot{
        {"name", "Home — Screen"},
        {"order", 2.5},
        {"backgroundType", 1},
        {"visible", true},
        {"image", QByteArray("\x89PNG\r\n\x1a\n\x00", 9)},
        {"drawableMappings",
         QVariantList{QVariantMap{{"drawableType", "TextRect"},
                                  {"__extras__", QVariantMap{{"drawable", QVariantMap{}}}}},
                      QVariantMap{{"drawableType", "Image"}}, QVariantList{}}},
        {"tags", QStringList{"a", "a", "b"}},
        {"nothing", QVariant()},
        {"largest", std::numeric_limits<qint64>::min()},
    };
    const QVariant back = unarchive(archive(screenshot));
    QVariantMap expected = screenshot;
    expected["tags"] = QVariantList{"a", "a", "b"};
    EXPECT_EQ(back, QVariant(expected));
    EXPECT_EQ(back.toMap()["order"].metaType().id(), QMetaType::Double);
    EXPECT_EQ(back.toMap()["backgroundType"].metaType().id(), QMetaType::LongLong);
    EXPECT_FALSE(back.toMap()["nothing"].isValid());

    EXPECT_EQ(unarchive(archive(QString("root text"))), QVariant("root text"));
    EXPECT_EQ(unarchive(archive(QString("$null"))), QVariant("$null"));
    EXPECT_FALSE(unarchive(archive(QVariant())).isValid());
}

TEST(FoundationTest, KeyedArchiveRoundTripsObjectIdUrls)
{
    const QVariantList uris{QUrl("x-store://4F1C-22/Screenshot/p3"),
                            QUrl("x-store://4F1C-22/Screenshot/p12")};
    EXPECT_EQ(unarchive(archive(uris)), QVariant(uris));
    EXPECT_FALSE(KeyedArchiver().archivedData(QUrl("http://[::1")));
}

TEST(FoundationTest, KeyedArchiveUsesTheKeyedArchiveLayout)
{
    const QByteArray data = archive(QVariantList{"same", "same", QVariantMap{{"k", 1}}});
    ASSERT_TRUE(data.startsWith("bplist00"));
    Plist root{nullptr};
    plist_from_bin(data.constData(), data.size(), &root.node);
    ASSERT_TRUE(root.node);
    char* archiver = nullptr;
    plist_get_string_val(plist_dict_get_item(root.node, "$archiver"), &archiver);
    EXPECT_STREQ(archiver, "KeyedArchiver");
    free(archiver);
    uint64_t version = 0;
    plist_get_uint_val(plist_dict_get_item(root.node, "$version"), &version);
    EXPECT_EQ(version, 100000u);
    uint64_t rootUid = 0;
    plist_get_uid_val(plist_dict_get_item(plist_dict_get_item(root.node, "$top"), "root"), &rootUid);
    EXPECT_EQ(rootUid, 1u);
    plist_t objects = plist_dict_get_item(root.node, "$objects");
    // "$null", the array, its class entry, "same" once, the dictionary, its class, "k", 1.
    EXPECT_EQ(plist_array_get_size(objects), 8u);
    plist_t array = plist_array_get_item(objects, 1);
    uint64_t classUid = 0;
    plist_get_uid_val(plist_dict_get_item(array, "$class"), &classUid);
    plist_t entry = plist_array_get_item(objects, classUid);
    char* className = nullptr;
    plist_get_string_val(plist_dict_get_item(entry, "$classname"), &className);
    EXPECT_STREQ(className, "Array");
    free(className);
    EXPECT_EQ(plist_array_get_size(plist_dict_get_item(entry, "$classes")), 2u);
    plist_t members = plist_dict_get_item(array, "objects");
    uint64_t first = 0;
    uint64_t second = 0;
    plist_get_uid_val(plist_array_get_item(members, 0), &first);
    plist_get_uid_val(plist_array_get_item(members, 1), &second);
    EXPECT_EQ(first, second);
}

TEST(FoundationTest, KeyedArchiveValueCodersExtendTheArchivableTypes)
{
    const QVariantMap value{{"canvas", QSize(1242, 2688)}, {"thumb", QSize(150, 100)}};
    EXPECT_FALSE(KeyedArchiver().archivedData(value));
    const QByteArray data = archive(value, sizeCoders);
    EXPECT_EQ(unarchive(data, {"Dictionary", "Size"}, sizeCoders), QVariant(value));

    auto notAllowed = KeyedUnarchiver({"Dictionary"}, sizeCoders).unarchivedObject(data);
    ASSERT_FALSE(notAllowed);
    EXPECT_TRUE(notAllowed.error().message.contains("\"Size\" is not allowed"))
        << notAllowed.error().message.toStdString();
    EXPECT_FALSE(KeyedUnarchiver({"Dictionary", "Size"}).unarchivedObject(data)); // allowed but no coder
    EXPECT_FALSE(
        KeyedUnarchiver({"Size"}, sizeCoders).unarchivedObject(data)); // the dictionary is not allowed
}

TEST(FoundationTest, KeyedUnarchiverRefusesMalformedArchives)
{
    auto refused = [](const QByteArray& data, const QStringList& allowed = containers) {
        return !KeyedUnarchiver(allowed, sizeCoders).unarchivedObject(data).hasValue();
    };
    EXPECT_FALSE(refused(handMade({arrayObject(2, {3}), classEntry("Array"), plist_new_string("x")})));
    // An array that contains itself, directly and through another array.
    EXPECT_TRUE(refused(handMade({arrayObject(2, {1}), classEntry("Array")})));
    EXPECT_TRUE(refused(handMade({arrayObject(2, {3}), classEntry("Array"), arrayObject(2, {1})})));
    // References out of range, a class UID that is no class entry, a member that is no UID.
    EXPECT_TRUE(refused(handMade({arrayObject(2, {9}), classEntry("Array")})));
    EXPECT_TRUE(refused(handMade({arrayObject(3, {}), classEntry("Array"), plist_new_string("Array")})));
    EXPECT_TRUE(refused(handMade({arrayObject(2, {3})}, 9)));
    // A class entry used as a value; a class nobody knows; a raw plist array among the objects.
    EXPECT_TRUE(refused(handMade({classEntry("Array")})));
    EXPECT_TRUE(refused(handMade({arrayObject(2, {}), classEntry("Mystery")}), {"Mystery"}));
    EXPECT_TRUE(refused(handMade({plist_new_array()})));
    // A coder's object whose fields make no value, or hold a container.
    plist_t size = plist_new_dict();
    plist_dict_set_item(size, "$class", plist_new_uid(2));
    plist_dict_set_item(size, "width", plist_new_string("wide"));
    EXPECT_TRUE(refused(handMade({size, classEntry("Size")}), {"Size"}));
    plist_t nested = plist_new_dict();
    plist_dict_set_item(nested, "$class", plist_new_uid(2));
    plist_dict_set_item(nested, "width", plist_new_uid(3));
    EXPECT_TRUE(refused(handMade({nested, classEntry("Size"), arrayObject(4, {}), classEntry("Array")}),
                        {"Size", "Array"}));
    // Not an archive at all, or another archiver's.
    EXPECT_TRUE(refused(QByteArray()));
    EXPECT_TRUE(refused("<plist><dict/></plist>"));
    Plist other{plist_new_dict()};
    plist_dict_set_item(other.node, "$archiver", plist_new_string("SomeoneElse"));
    EXPECT_TRUE(refused(binary(other.node)));
}

TEST(FoundationTest, KeyedUnarchiverBoundsDepthAndSharedExpansion)
{
    QVariant deep = QString("leaf");
    for (int i = 0; i < 70; ++i)
        deep = QVariantList{deep};
    const QByteArray deepArchive = archive(deep);
    EXPECT_FALSE(KeyedUnarchiver(containers).unarchivedObject(deepArchive));
    EXPECT_TRUE(KeyedUnarchiver(containers, {}, {.maximumDepth = 80}).unarchivedObject(deepArchive));

    // Thirty arrays each holding the next one twice decode once each, but count as 2^30 values.
    std::vector<plist_t> objects;
    const uint64_t classUid = 31;
    for (uint64_t i = 1; i <= 30; ++i)
        objects.push_back(
            arrayObject(classUid, {i + 1 == classUid ? 32 : i + 1, i + 1 == classUid ? 32 : i + 1}));
    objects.push_back(classEntry("Array"));
    objects.push_back(plist_new_string("leaf"));
    auto expanded = KeyedUnarchiver(containers).unarchivedObject(handMade(objects));
    ASSERT_FALSE(expanded);
    EXPECT_TRUE(expanded.error().message.contains("too many values"))
        << expanded.error().message.toStdString();

    const QByteArray many = archive(QVariantList(200, QVariant(QVariantList{})));
    EXPECT_FALSE(KeyedUnarchiver(containers, {}, {.maximumObjectCount = 100}).unarchivedObject(many));
    EXPECT_TRUE(KeyedUnarchiver(containers, {}, {.maximumObjectCount = 1000}).unarchivedObject(many));
}
