#include "BinaryPlistWriter.h"
#include "foundation/KeyedUnarchiver.h"
#include "foundation/PropertyListSerialization.h"

#include <QList>
#include <QPair>
#include <gtest/gtest.h>

// Hand-made inputs that once crashed a decoder or kept it busy for minutes. Each decoder must refuse
// them or read them in time linear in their size; a decoder that slips back into quadratic time turns
// these tests into timeouts.

using foundation::KeyedUnarchiver;
using foundation::PropertyListLimits;
using foundation::PropertyListSerialization;
using testsupport::BinaryPlistWriter;

namespace {

// An array of count references, all to one true, each reference one byte.
QByteArray arrayOfOneTrue(quint64 count)
{
    BinaryPlistWriter writer(1);
    const auto truth = writer.truth();
    return writer.data(writer.array(QList<BinaryPlistWriter::Reference>(qsizetype(count), truth)));
}

// A keyed archive whose root is an array; members gives the UIDs it holds, of the texts that follow the
// array's class entry in "$objects" (the first text has UID 3).
QByteArray archivedArrayOfTexts(const QList<QByteArray>& texts, const QList<quint32>& members)
{
    BinaryPlistWriter w(4);
    QList<BinaryPlistWriter::Reference> memberUids;
    memberUids.reserve(members.size());
    for (quint32 member : members)
        memberUids.append(w.uid(member));
    const auto array = w.dictionary({{w.text("$class"), w.uid(2)}, {w.text("objects"), w.array(memberUids)}});
    const auto arrayClass =
        w.dictionary({{w.text("$classname"), w.text("Array")},
                      {w.text("$classes"), w.array({w.text("Array"), w.text("Object")})}});
    QList<BinaryPlistWriter::Reference> objects{w.text("$null"), array, arrayClass};
    for (const QByteArray& text : texts)
        objects.append(w.text(text));
    const auto top = w.dictionary({
        {w.text("$archiver"), w.text("KeyedArchiver")},
        {w.text("$version"), w.integer(100000)},
        {w.text("$top"), w.dictionary({{w.text("root"), w.uid(1)}})},
        {w.text("$objects"), w.array(objects)},
    });
    return w.data(top);
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
    BinaryPlistWriter writer(4);
    const auto truth = writer.truth();
    QList<QPair<BinaryPlistWriter::Reference, BinaryPlistWriter::Reference>> entries;
    for (int i = 0; i < keys; ++i)
        entries.append({writer.text(QByteArray::number(i)), truth});
    const auto dictionary =
        PropertyListSerialization::propertyListFromData(writer.data(writer.dictionary(entries)));
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
    const auto read = KeyedUnarchiver(containers)
                          .unarchivedObject(archivedArrayOfTexts({"shared"}, QList<quint32>(count, 3)));
    ASSERT_TRUE(read) << read.error().message.toStdString();
    const QVariantList items = read->toList();
    ASSERT_EQ(items.size(), qsizetype(count));
    EXPECT_EQ(items.front(), QVariant("shared"));
    EXPECT_EQ(items.back(), QVariant("shared"));

    EXPECT_FALSE(KeyedUnarchiver(containers)
                     .unarchivedObject(archivedArrayOfTexts({"shared"}, QList<quint32>(1'000'000, 3))));
}

TEST(FoundationTest, KeyedUnarchiverReadsManyObjectsInLinearTime)
{
    // As many distinct objects as the limit allows, each reached once.
    const qsizetype count = KeyedUnarchiver::Limits{}.maximumObjectCount - 3; // "$null", the array, its class
    QList<QByteArray> texts;
    QList<quint32> members;
    for (qsizetype i = 0; i < count; ++i) {
        texts.append(QByteArray::number(i));
        members.append(quint32(3 + i));
    }
    const auto read = KeyedUnarchiver({"Array"}).unarchivedObject(archivedArrayOfTexts(texts, members));
    ASSERT_TRUE(read) << read.error().message.toStdString();
    const QVariantList items = read->toList();
    ASSERT_EQ(items.size(), count);
    EXPECT_EQ(items.front(), QVariant("0"));
    EXPECT_EQ(items.back(), QVariant(QString::number(count - 1)));
}
