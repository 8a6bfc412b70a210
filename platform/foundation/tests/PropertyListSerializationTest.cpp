#include "foundation/PropertyListSerialization.h"

#include <QDateTime>
#include <QSize>
#include <QTimeZone>
#include <gtest/gtest.h>

using foundation::PropertyListSerialization;

namespace {

QVariant roundTrip(const QVariant& value)
{
    auto data = PropertyListSerialization::dataFromPropertyList(value);
    EXPECT_TRUE(data.hasValue()) << (data ? "" : data.error().message.toStdString());
    if (!data)
        return {};
    EXPECT_TRUE(data->startsWith("bplist00"));
    auto read = PropertyListSerialization::propertyListFromData(*data);
    EXPECT_TRUE(read.hasValue()) << (read ? "" : read.error().message.toStdString());
    return read ? *read : QVariant();
}

QVariant fromXml(const char* body)
{
    const QByteArray xml =
        QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n") + body +
        "\n</plist>\n";
    auto read = PropertyListSerialization::propertyListFromData(xml);
    EXPECT_TRUE(read.hasValue()) << (read ? "" : read.error().message.toStdString());
    return read ? *read : QVariant();
}

} // namespace

TEST(FoundationTest, PropertyListRoundTripsEveryValueKind)
{
    const QDateTime date = QDateTime::fromMSecsSinceEpoch(1'700'000'000'123, QTimeZone::utc());
    const QDateTime early = QDateTime(QDate(1990, 5, 17), QTime(8, 30, 15, 250), QTimeZone::utc());
    const QVariantMap metadata{
        {"FileVersion", 1},
        {"AppVersion", "2.4.1"},
        {"Negative", qint64(-123456789012)},
        {"Largest", std::numeric_limits<qint64>::max()},
        {"Smallest", std::numeric_limits<qint64>::min()},
        {"Real", 0.1},
        {"Yes", true},
        {"No", false},
        {"Created", date},
        {"Early", early},
        {"Bytes", QByteArray("\x00\x01\xfe\xff", 4)},
        {"Empty", QByteArray()},
        {"Unicode", QString::fromUtf8("Grüße, 世界 🎉")},
        {"Nested", QVariantList{QVariantMap{{"a", QVariantList{}}}, QVariantMap{}, "x", 2.5}},
    };
    const QVariant read = roundTrip(metadata);
    const QVariantMap map = read.toMap();
    ASSERT_EQ(map.keys(), metadata.keys());
    for (auto it = metadata.cbegin(); it != metadata.cend(); ++it)
        EXPECT_EQ(map.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(map["FileVersion"].metaType().id(), QMetaType::LongLong);
    EXPECT_EQ(map["Real"].metaType().id(), QMetaType::Double);
    EXPECT_EQ(map["Yes"].metaType().id(), QMetaType::Bool);
    EXPECT_EQ(map["Created"].toDateTime(), date);
    EXPECT_EQ(map["Early"].toDateTime(), early);
}

TEST(FoundationTest, PropertyListRootsNeedNotBeDictionaries)
{
    EXPECT_EQ(roundTrip(QVariantList{1, "two"}), (QVariantList{1, "two"}));
    EXPECT_EQ(roundTrip(QString("alone")), QVariant("alone"));
    EXPECT_EQ(roundTrip(QStringList{"a", "b"}), (QVariantList{"a", "b"}));
    EXPECT_EQ(roundTrip(QVariantHash{{"k", 3.0}}), (QVariantMap{{"k", 3.0}}));
}

TEST(FoundationTest, PropertyListRefusesValuesItCannotHold)
{
    EXPECT_FALSE(PropertyListSerialization::dataFromPropertyList(QVariant()));
    EXPECT_FALSE(PropertyListSerialization::dataFromPropertyList(QVariantMap{{"a", QVariant()}}));
    EXPECT_FALSE(PropertyListSerialization::dataFromPropertyList(QVariant::fromValue(QSize(1, 2))));
    EXPECT_FALSE(PropertyListSerialization::dataFromPropertyList(QVariant::fromValue(quint64(1) << 63)));
    EXPECT_FALSE(PropertyListSerialization::dataFromPropertyList(QString(QChar(u'\0'))));
    EXPECT_FALSE(PropertyListSerialization::dataFromPropertyList(
        QDateTime(QDate(2200, 1, 1), QTime(0, 0), QTimeZone::utc())));
    QVariant deep = QVariantList{};
    for (int i = 0; i < 300; ++i)
        deep = QVariantList{deep};
    EXPECT_FALSE(PropertyListSerialization::dataFromPropertyList(deep));
}

TEST(FoundationTest, PropertyListReadsXmlWrittenByHand)
{
    const QVariant read = fromXml(R"(<dict>
    <key>FileVersion</key><integer>1</integer>
    <key>Negative</key><integer>-42</integer>
    <key>AppVersion</key><string>1.0 &amp; more &lt;3</string>
    <key>Ratio</key><real>2.5</real>
    <key>On</key><true/>
    <key>Off</key><false/>
    <key>When</key><date>2020-02-29T12:34:56Z</date>
    <key>Bytes</key><data>
        AAEC/w==
    </data>
    <key>List</key><array><string>a</string><array/><dict/></array>
</dict>)");
    const QVariantMap map = read.toMap();
    EXPECT_EQ(map["FileVersion"], QVariant(qint64(1)));
    EXPECT_EQ(map["Negative"], QVariant(qint64(-42)));
    EXPECT_EQ(map["AppVersion"], QVariant("1.0 & more <3"));
    EXPECT_EQ(map["Ratio"], QVariant(2.5));
    EXPECT_EQ(map["On"], QVariant(true));
    EXPECT_EQ(map["Off"], QVariant(false));
    EXPECT_EQ(map["When"].toDateTime(), QDateTime(QDate(2020, 2, 29), QTime(12, 34, 56), QTimeZone::utc()));
    EXPECT_EQ(map["Bytes"], QVariant(QByteArray("\x00\x01\x02\xff", 4)));
    EXPECT_EQ(map["List"], (QVariantList{"a", QVariantList{}, QVariantMap{}}));
    EXPECT_EQ(fromXml("<array><integer>7</integer></array>"), (QVariantList{qint64(7)}));
}

TEST(FoundationTest, PropertyListRejectsWhatIsNoPropertyList)
{
    for (const QByteArray& bad : {QByteArray(),
                                  QByteArray(" \n "),
                                  QByteArray("bplist00"),
                                  QByteArray("bplist00\xd0\x08\x00\x00\x00\x00\x00\x00", 16),
                                  QByteArray("<plist><dict><key>a</key></plist>"),
                                  QByteArray("<plist><array>"),
                                  QByteArray("<plist><dict><key>a</key></dict></plist>"),
                                  QByteArray("<plist><dict><string>a</string><true/></dict></plist>"),
                                  QByteArray("<plist><integer>9223372036854775808</integer></plist>"),
                                  QByteArray("<plist><integer>12x</integer></plist>"),
                                  QByteArray("<plist><real>2,5</real></plist>"),
                                  QByteArray("<plist><date>2020-02-29 12:34:56</date></plist>"),
                                  QByteArray("<plist><data>AA=A</data></plist>"),
                                  QByteArray("<plist><true>yes</true></plist>"),
                                  QByteArray("<plist><string>a<b/></string></plist>"),
                                  QByteArray("<plist><string>&unknown;</string></plist>"),
                                  QByteArray("<plist><color/></plist>"),
                                  QByteArray("<plist><true/><false/></plist>"),
                                  QByteArray("<plist/>"),
                                  QByteArray("<plist><true/></plist>trailing"),
                                  QByteArray("<plist><array><true/></dict></plist>")})
        EXPECT_FALSE(PropertyListSerialization::propertyListFromData(bad)) << bad.toStdString();
}

TEST(FoundationTest, PropertyListReadsTheTextFormat)
{
    const QByteArray text = R"plist(// Written by hand.
{
    FileVersion = 1;
    AppVersion = "2.0 (beta)";   /* quoted, with spaces */
    'Single' = 'it\'s';
    Escapes = "tab\tline\nquote\" backslash\\ octal\101 unit\U00e9";
    Path = /usr/local/share:x.y-z_$;
    Bytes = < 0001 02ff >;
    Empty = <>;
    List = (a, "b c", (), {}, );
    Nested = { Inner = ( { Deep = yes; } ); };
    Same;
}
)plist";
    auto read = PropertyListSerialization::propertyListFromData(text);
    ASSERT_TRUE(read) << read.error().message.toStdString();
    const QVariantMap map = read->toMap();
    // The format has no numbers: everything that is not a container or data is text.
    EXPECT_EQ(map["FileVersion"], QVariant("1"));
    EXPECT_EQ(map["AppVersion"], QVariant("2.0 (beta)"));
    EXPECT_EQ(map["Single"], QVariant("it's"));
    EXPECT_EQ(map["Escapes"],
              QVariant(QString::fromUtf8("tab\tline\nquote\" backslash\\ octalA unit\u00e9")));
    EXPECT_EQ(map["Path"], QVariant("/usr/local/share:x.y-z_$"));
    EXPECT_EQ(map["Bytes"], QVariant(QByteArray("\x00\x01\x02\xff", 4)));
    EXPECT_EQ(map["Empty"], QVariant(QByteArray()));
    EXPECT_EQ(map["List"], (QVariantList{"a", "b c", QVariantList{}, QVariantMap{}}));
    EXPECT_EQ(map["Nested"], (QVariantMap{{"Inner", QVariantList{QVariantMap{{"Deep", "yes"}}}}}));
    EXPECT_EQ(map["Same"], QVariant("Same"));
    EXPECT_EQ(map.size(), 10);

    // Any value may be the root; bare "key = value;" pairs make a dictionary.
    EXPECT_EQ(*PropertyListSerialization::propertyListFromData("hello"), QVariant("hello"));
    EXPECT_EQ(*PropertyListSerialization::propertyListFromData("\xEF\xBB\xBF <0fbd>"),
              QVariant(QByteArray("\x0f\xbd")));
    EXPECT_EQ(*PropertyListSerialization::propertyListFromData("( x )"), QVariant(QVariantList{"x"}));
    EXPECT_EQ(*PropertyListSerialization::propertyListFromData("\"a\" = b;\nc = \"d\";\n"),
              QVariant(QVariantMap{{"a", "b"}, {"c", "d"}}));

    for (const QByteArray& bad :
         {QByteArray("{ a = b }"), QByteArray("{ a b; }"), QByteArray("{ a = ; }"),
          QByteArray("{ (a) = b; }"), QByteArray("{ a = b;"), QByteArray("( a b )"), QByteArray("( a, "),
          QByteArray("<0f1>"), QByteArray("<0g>"), QByteArray("<0f"), QByteArray("\"open"),
          QByteArray("\"ends with \\"), QByteArray("/* open { }"), QByteArray("{ } extra"),
          QByteArray("a = b; c"), QByteArray("\"nul \\0 inside\""), QByteArray("\"\xc3\x28\""),
          QByteArray("#"), QByteArray("{ a = b; } }")})
        EXPECT_FALSE(PropertyListSerialization::propertyListFromData(bad)) << bad.toStdString();
    auto bad = PropertyListSerialization::propertyListFromData("{\n a = b;\n c d;\n}");
    ASSERT_FALSE(bad);
    EXPECT_TRUE(bad.error().message.contains("line 3")) << bad.error().message.toStdString();
}

TEST(FoundationTest, PropertyListBoundsTheTextFormat)
{
    foundation::PropertyListLimits limits;
    limits.maximumDepth = 5;
    auto nested = [](int levels) {
        return QByteArray("(").repeated(levels) + QByteArray(")").repeated(levels);
    };
    EXPECT_TRUE(PropertyListSerialization::propertyListFromData(nested(5), limits));
    EXPECT_FALSE(PropertyListSerialization::propertyListFromData(nested(6), limits));
    EXPECT_FALSE(PropertyListSerialization::propertyListFromData(
        QByteArray("{a=").repeated(6) + "b" + QByteArray(";}").repeated(6), limits));
    // Deep nesting within the default limits neither overflows the stack nor is accepted.
    EXPECT_FALSE(PropertyListSerialization::propertyListFromData(nested(100'000)));

    limits = {};
    limits.maximumValueCount = 4;
    EXPECT_TRUE(PropertyListSerialization::propertyListFromData("(a, b, c)", limits));
    auto tooMany = PropertyListSerialization::propertyListFromData("(a, b, c, d)", limits);
    ASSERT_FALSE(tooMany);
    EXPECT_TRUE(tooMany.error().message.contains("too many values"));
    EXPECT_FALSE(PropertyListSerialization::propertyListFromData("{a = b; c = d; e = f;}", limits));
}

TEST(FoundationTest, PropertyListReadsWhatPassesSixteenBits)
{
    // Past 64 KiB, offsets need three bytes; past 65,536 objects, references do too.
    const QVariantList large{QByteArray(100'000, 'x'), "after"};
    EXPECT_EQ(roundTrip(large), QVariant(large));
    QVariantList many;
    for (int i = 0; i < 66'000; ++i)
        many.append(QString::number(i));
    EXPECT_EQ(roundTrip(many), QVariant(many));
}

TEST(FoundationTest, PropertyListBoundsNestingAndSharedObjects)
{
    const QByteArray deepXml = "<plist>" + QByteArray("<array>").repeated(100'000) +
                               QByteArray("</array>").repeated(100'000) + "</plist>";
    EXPECT_FALSE(PropertyListSerialization::propertyListFromData(deepXml));

    // Forty arrays each holding the next one twice: two to the fortieth copies once expanded.
    QByteArray objects;
    QList<int> offsets;
    const int levels = 40;
    for (int i = 0; i < levels; ++i) {
        offsets.append(8 + objects.size());
        objects += char(0xA2);
        objects += char(i + 1);
        objects += char(i + 1);
    }
    offsets.append(8 + objects.size());
    objects += QByteArray("\x10\x05", 2);
    QByteArray data = "bplist00" + objects;
    const int table = data.size();
    for (int offset : offsets)
        data += char(offset);
    QByteArray trailer(32, '\0');
    trailer[6] = 1;
    trailer[7] = 1;
    trailer[15] = char(offsets.size());
    trailer[31] = char(table);
    data += trailer;
    auto shared = PropertyListSerialization::propertyListFromData(data);
    ASSERT_FALSE(shared);
    EXPECT_TRUE(shared.error().message.contains("too many values")) << shared.error().message.toStdString();
}
