#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "foundation/PropertyListSerialization.h"

#include <QList>
#include <gtest/gtest.h>
#include <plist/plist.h>

// Hand-made inputs that once crashed a decoder or kept it busy for minutes. Each decoder must refuse
// them or read them in time linear in their size; a decoder that slips back into quadratic time turns
// these tests into timeouts.

using foundation::KeyedArchiver;
using foundation::KeyedUnarchiver;
using foundation::PropertyListLimits;
using foundation::PropertyListSerialization;

namespace {

QByteArray bigEndian(quint64 value, int width)
{
    QByteArray bytes(width, '\0');
    for (int i = width - 1; i >= 0; --i, value >>= 8)
        bytes[i] = char(value & 0xFF);
    return bytes;
}

// The marker of an array (0xA) or dictionary (0xD) holding count references (pairs for a dictionary).
QByteArray containerMarker(unsigned kind, quint64 count)
{
    if (count < 15)
        return QByteArray(1, char(kind << 4 | count));
    return QByteArray(1, char(kind << 4 | 0xF)) + char(0x13) + bigEndian(count, 8);
}

// A binary property list of the given encoded objects, the first one the top; references are
// referenceSize bytes wide.
QByteArray binaryPropertyList(const QList<QByteArray>& objects, int referenceSize)
{
    QByteArray data = "bplist00";
    QList<quint64> offsets;
    for (const QByteArray& object : objects) {
        offsets.append(quint64(data.size()));
        data += object;
    }
    const quint64 table = quint64(data.size());
    for (quint64 offset : offsets)
        data += bigEndian(offset, 8);
    data += QByteArray(6, '\0') + char(8) + char(referenceSize);
    data += bigEndian(quint64(objects.size()), 8) + bigEndian(0, 8) + bigEndian(table, 8);
    return data;
}

// An array of count references, all to one true.
QByteArray arrayOfOneTrue(quint64 count)
{
    return binaryPropertyList({containerMarker(0xA, count) + QByteArray(qsizetype(count), '\x01'), "\x09"},
                              1);
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
    QByteArray data(bytes, qsizetype(length));
    plist_to_bin_free(bytes);
    return data;
}

// A keyed archive whose root is an array holding count references to one text.
QByteArray archiveOfOneSharedText(quint32 count)
{
    Plist archive{plist_new_dict()};
    plist_dict_set_item(archive.node, "$archiver", plist_new_string("KeyedArchiver"));
    plist_dict_set_item(archive.node, "$version", plist_new_uint(100000));
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(1));
    plist_dict_set_item(archive.node, "$top", top);
    plist_t objects = plist_new_array();
    plist_array_append_item(objects, plist_new_string("$null"));
    plist_t array = plist_new_dict();
    plist_dict_set_item(array, "$class", plist_new_uid(2));
    plist_t members = plist_new_array();
    for (quint32 i = 0; i < count; ++i)
        plist_array_append_item(members, plist_new_uid(3));
    plist_dict_set_item(array, "objects", members);
    plist_array_append_item(objects, array);
    plist_t arrayClass = plist_new_dict();
    plist_dict_set_item(arrayClass, "$classname", plist_new_string("Array"));
    plist_t classes = plist_new_array();
    plist_array_append_item(classes, plist_new_string("Array"));
    plist_array_append_item(classes, plist_new_string("Object"));
    plist_dict_set_item(arrayClass, "$classes", classes);
    plist_array_append_item(objects, arrayClass);
    plist_array_append_item(objects, plist_new_string("shared"));
    plist_dict_set_item(archive.node, "$objects", objects);
    return binary(archive.node);
}

std::string messageOf(const foundation::Expected<QVariant, foundation::PropertyListError>& result)
{
    return result ? std::string("read") : result.error().message.toStdString();
}

} // namespace

TEST(FoundationTest, XmlPropertyListDepthCheckSeesOnlyRealElements)
{
    // Closing tags hidden where no element can be, then nested arrays far beyond the limit: a tree that
    // deep overflows the stack when it is freed.
    constexpr int depth = 200'000;
    const QByteArray closers = QByteArray("</array></dict>").repeated(depth);
    const QByteArray nested = QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth);
    const QList<QByteArray> hiding{
        "<!--" + closers + "-->",
        "<?hide " + closers + "?>",
        "<string><![CDATA[" + closers + "]]></string>",
        "<!DOCTYPE plist [<!ENTITY hide \"" + closers + "\">]>",
        "<string hide=\"" + closers + "\">x</string>",
        "<string hide='" + closers + "'>x</string>",
        "<!DOCTYPE plist [<!ENTITY open \"<array>\">]>" + QByteArray("&open;").repeated(depth),
    };
    for (const QByteArray& hidden : hiding) {
        const QByteArray xml =
            "<?xml version=\"1.0\"?><plist version=\"1.0\"><array>" + hidden + nested + "</array></plist>";
        const auto read = PropertyListSerialization::propertyListFromData(xml);
        EXPECT_FALSE(read) << hidden.left(40).toStdString();
    }
    // Closing tags that close nothing do not make room for more opening ones.
    const QByteArray unbalanced = "<plist>" + QByteArray("</array>").repeated(depth) + nested + "</plist>";
    EXPECT_FALSE(PropertyListSerialization::propertyListFromData(unbalanced));
}

TEST(FoundationTest, XmlPropertyListReadsCommentsAndDeclarationsAroundItsElements)
{
    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Example//DTD PLIST 1.0//EN\" \"http://example.org/PropertyList.dtd\">\n"
        "<!-- <array> in a comment opens nothing -->\n"
        "<plist version=\"1.0\">\n<dict>\n"
        "  <key>text</key><string><![CDATA[</dict> <array> ]]></string>\n"
        "  <key>list</key><array><!-- </array> --><integer>1</integer><array/></array>\n"
        "</dict>\n</plist>\n";
    const auto read = PropertyListSerialization::propertyListFromData(xml);
    ASSERT_TRUE(read) << messageOf(read);
    const QVariantMap map = read->toMap();
    EXPECT_EQ(map.value("text").toString(), "</dict> <array> ");
    EXPECT_EQ(map.value("list").toList(), (QVariantList{qint64(1), QVariantList{}}));

    // Containers nested exactly to the limit read; one more level does not.
    PropertyListLimits limits;
    limits.maximumDepth = 5;
    auto nested = [](int levels) {
        return "<plist>" + QByteArray("<array>").repeated(levels) + QByteArray("</array>").repeated(levels) +
               "</plist>";
    };
    EXPECT_TRUE(PropertyListSerialization::propertyListFromData(nested(5), limits));
    EXPECT_FALSE(PropertyListSerialization::propertyListFromData(nested(6), limits));
}

TEST(FoundationTest, BinaryPropertyListReadsManyReferencesToOneObjectInLinearTime)
{
    // The array and its members count as values, so this is the largest such array the limit allows.
    const quint64 count = PropertyListLimits{}.maximumValueCount - 1;
    const auto read = PropertyListSerialization::propertyListFromData(arrayOfOneTrue(count));
    ASSERT_TRUE(read) << messageOf(read);
    const QVariantList items = read->toList();
    ASSERT_EQ(quint64(items.size()), count);
    EXPECT_EQ(items.front(), QVariant(true));
    EXPECT_EQ(items.back(), QVariant(true));

    const auto tooMany = PropertyListSerialization::propertyListFromData(arrayOfOneTrue(count + 1));
    ASSERT_FALSE(tooMany);
    EXPECT_NE(messageOf(tooMany).find("too many values"), std::string::npos) << messageOf(tooMany);

    // A dictionary of many keys, each its own text, and all values one shared true.
    constexpr int keys = 100'000;
    QList<QByteArray> objects{containerMarker(0xD, keys)};
    QByteArray& references = objects.front();
    for (int i = 0; i < keys; ++i)
        references += bigEndian(quint64(i + 2), 4);
    references += bigEndian(1, 4).repeated(keys);
    objects.append("\x09");
    for (int i = 0; i < keys; ++i) {
        const QByteArray key = QByteArray::number(i);
        objects.append(char(0x50 | key.size()) + key);
    }
    const auto dictionary = PropertyListSerialization::propertyListFromData(binaryPropertyList(objects, 4));
    ASSERT_TRUE(dictionary) << messageOf(dictionary);
    EXPECT_EQ(dictionary->toMap().size(), keys);
    EXPECT_EQ(dictionary->toMap().value("99999"), QVariant(true));
}

TEST(FoundationTest, XmlPropertyListReadsLargeContainersInLinearTime)
{
    constexpr int count = 300'000;
    QByteArray xml = "<plist><dict>";
    for (int i = 0; i < count; ++i)
        xml += "<key>" + QByteArray::number(i) + "</key><array><true/></array>";
    xml += "</dict></plist>";
    const auto read = PropertyListSerialization::propertyListFromData(xml);
    ASSERT_TRUE(read) << messageOf(read);
    EXPECT_EQ(read->toMap().size(), count);
    EXPECT_EQ(read->toMap().value("123456"), QVariant(QVariantList{true}));
}

TEST(FoundationTest, KeyedUnarchiverReadsManyReferencesToOneObjectInLinearTime)
{
    const QStringList containers{"Array"};
    // The archive's property list holds the array's references as values of its own, which makes its
    // value limit the binding one: a few values go to the archive's frame.
    constexpr quint32 count = 999'000;
    const auto read = KeyedUnarchiver(containers).unarchivedObject(archiveOfOneSharedText(count));
    ASSERT_TRUE(read) << read.error().message.toStdString();
    const QVariantList items = read->toList();
    ASSERT_EQ(items.size(), qsizetype(count));
    EXPECT_EQ(items.front(), QVariant("shared"));
    EXPECT_EQ(items.back(), QVariant("shared"));

    EXPECT_FALSE(KeyedUnarchiver(containers).unarchivedObject(archiveOfOneSharedText(1'000'000)));
}

TEST(FoundationTest, KeyedUnarchiverReadsManyObjectsInLinearTime)
{
    // As many distinct objects as the limit allows, each reached once.
    QVariantList texts;
    const qsizetype count = KeyedUnarchiver::Limits{}.maximumObjectCount - 3; // "$null", the array, its class
    for (qsizetype i = 0; i < count; ++i)
        texts.append(QString::number(i));
    const auto data = KeyedArchiver().archivedData(texts);
    ASSERT_TRUE(data);
    const auto read = KeyedUnarchiver({"Array"}).unarchivedObject(*data);
    ASSERT_TRUE(read) << read.error().message.toStdString();
    EXPECT_EQ(read->toList(), texts);
}
