#include "graphics/ArchivedValues.h"

#include "BinaryPlistWriter.h"
#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "graphics/Color.h"
#include "graphics/Font.h"

#include <QList>
#include <QPair>
#include <QVariant>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using graphics::Color;
using graphics::ColorSpace;
using graphics::Font;
using testsupport::BinaryPlistWriter;

namespace {

// A keyed archive whose root is one object of className with the given fields, each a plain value
// written by the writer; text fields are given as UIDs of texts in "$objects".
class HandMadeArchive
{
public:
    using Reference = BinaryPlistWriter::Reference;

    QByteArray withRoot(const QByteArray& className, const QList<QPair<QByteArray, Reference>>& fields)
    {
        // "$objects": "$null", the root object, its class entry, then the texts fields refer to.
        QList<Reference> objects{m_writer.text("$null"), m_writer.reserve(), m_writer.reserve()};
        objects += m_texts;
        QList<QPair<Reference, Reference>> entries{{m_writer.text("$class"), m_writer.uid(2)}};
        for (const auto& [name, value] : fields)
            entries.append({m_writer.text(name), value});
        m_writer.fill(objects[1], m_writer.dictionary(entries));
        const Reference classes = m_writer.array({m_writer.text(className), m_writer.text("Object")});
        m_writer.fill(objects[2],
                      m_writer.dictionary({{m_writer.text("$classname"), m_writer.text(className)},
                                           {m_writer.text("$classes"), classes}}));
        const Reference top = m_writer.dictionary({
            {m_writer.text("$archiver"), m_writer.text("KeyedArchiver")},
            {m_writer.text("$version"), m_writer.integer(100000)},
            {m_writer.text("$top"), m_writer.dictionary({{m_writer.text("root"), m_writer.uid(1)}})},
            {m_writer.text("$objects"), m_writer.array(objects)},
        });
        return m_writer.data(top);
    }

    // A field value naming a text of "$objects".
    Reference text(const QByteArray& ascii)
    {
        m_texts.append(m_writer.text(ascii));
        return m_writer.uid(quint32(2 + m_texts.size()));
    }
    BinaryPlistWriter& writer() { return m_writer; }

private:
    BinaryPlistWriter m_writer;
    QList<Reference> m_texts;
};

foundation::KeyedUnarchiver unarchiver()
{
    return foundation::KeyedUnarchiver({graphics::archivedColorClass, graphics::archivedFontClass},
                                       graphics::archivedValueCoders());
}

} // namespace

TEST(GraphicsTest, ColorsAndFontsRoundTripThroughKeyedArchives)
{
    const QVariantList values{
        QVariant::fromValue(Color{0.25, 0.5, 1.0, 0.75, ColorSpace::deviceRGB}),
        QVariant::fromValue(Color{1, 0, 0, 1, ColorSpace::calibratedRGB}),
        QVariant::fromValue(Font(QStringLiteral("HelveticaNeue-Thin"), 17.5)),
    };
    const auto data = foundation::KeyedArchiver(graphics::archivedValueCoders()).archivedData(values);
    ASSERT_TRUE(data);
    const auto read =
        foundation::KeyedUnarchiver({"Array", graphics::archivedColorClass, graphics::archivedFontClass},
                                    graphics::archivedValueCoders())
            .unarchivedObject(*data);
    ASSERT_TRUE(read) << read.error().message.toStdString();
    EXPECT_EQ(read->toList(), values);
}

TEST(GraphicsTest, ArchivedColorsAndFontsNeedExactlyTheirFields)
{
    {
        HandMadeArchive archive;
        BinaryPlistWriter& w = archive.writer();
        const auto read = unarchiver().unarchivedObject(
            archive.withRoot("Font", {{"name", archive.text("Menlo-Regular")}, {"size", w.real(12)}}));
        ASSERT_TRUE(read) << read.error().message.toStdString();
        EXPECT_EQ(read->value<Font>(), Font(QStringLiteral("Menlo-Regular"), 12));
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    auto font = [](auto fields) {
        HandMadeArchive archive;
        return unarchiver().unarchivedObject(archive.withRoot("Font", fields(archive, archive.writer())));
    };
    using Fields = QList<QPair<QByteArray, BinaryPlistWriter::Reference>>;
    EXPECT_FALSE(font([](HandMadeArchive& a, BinaryPlistWriter&) {
        return Fields{{"name", a.text("Menlo")}};
    }));
    EXPECT_FALSE(font([&](HandMadeArchive& a, BinaryPlistWriter& w) {
        return Fields{{"name", a.text("Menlo")}, {"size", w.real(nan)}};
    }));
    EXPECT_FALSE(font([&](HandMadeArchive& a, BinaryPlistWriter& w) {
        return Fields{{"name", a.text("Menlo")}, {"size", w.real(infinity)}};
    }));
    EXPECT_FALSE(font([](HandMadeArchive&, BinaryPlistWriter& w) {
        return Fields{{"name", w.integer(3)}, {"size", w.real(12)}};
    }));
    EXPECT_FALSE(font([](HandMadeArchive& a, BinaryPlistWriter& w) {
        return Fields{{"name", a.text("Menlo")}, {"size", w.real(12)}, {"weight", w.integer(700)}};
    }));

    auto color = [](qint64 space, double alpha, bool extra) {
        HandMadeArchive archive;
        BinaryPlistWriter& w = archive.writer();
        QList<QPair<QByteArray, BinaryPlistWriter::Reference>> fields{{"red", w.real(1)},
                                                                      {"green", w.integer(0)},
                                                                      {"blue", w.real(0.5)},
                                                                      {"alpha", w.real(alpha)},
                                                                      {"space", w.integer(space)}};
        if (extra)
            fields.append({"tint", w.real(0)});
        return unarchiver().unarchivedObject(archive.withRoot("Color", fields));
    };
    const auto read = color(1, 0.5, false);
    ASSERT_TRUE(read) << read.error().message.toStdString();
    EXPECT_EQ(read->value<Color>(), (Color{1, 0, 0.5, 0.5, ColorSpace::deviceRGB}));
    EXPECT_FALSE(color(2, 0.5, false));
    EXPECT_FALSE(color(0, nan, false));
    EXPECT_FALSE(color(0, 0.5, true));
}

TEST(GraphicsTest, ArchivedFontWithManyExtraFieldsIsRefusedInLinearTime)
{
    // Each extra field has a name of its own and shares one value.
    constexpr int extraFields = 100'000;
    HandMadeArchive archive;
    BinaryPlistWriter& w = archive.writer();
    QList<QPair<QByteArray, BinaryPlistWriter::Reference>> fields{{"name", archive.text("Menlo-Regular")},
                                                                  {"size", w.real(12)}};
    const BinaryPlistWriter::Reference shared = w.integer(1);
    for (int i = 0; i < extraFields; ++i)
        fields.append({"extra" + QByteArray::number(i), shared});
    const auto read = unarchiver().unarchivedObject(archive.withRoot("Font", fields));
    ASSERT_FALSE(read);
    EXPECT_TRUE(read.error().message.contains("holds no valid value")) << read.error().message.toStdString();
}
