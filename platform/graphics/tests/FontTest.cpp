#include "graphics/Font.h"

#include "graphics/FontNameTable.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

using graphics::Font;
using graphics::FontNameTable;

namespace {

struct ExpectedFace
{
    const char* name;
    const char* family;
    int weight;
};

} // namespace

TEST(GraphicsTest, EveryFaceNamedInTheDocumentsResolvesToItsInstalledFace)
{
    // The faces documents, templates and markup name, and the system font.
    const ExpectedFace faces[] = {
        {"AvenirNext-Regular", "Lato", 400},        {"AvenirNextCondensed-Regular", "Roboto Condensed", 400},
        {"HelveticaNeue-Light", "Inter", 300},      {"HelveticaNeue-Thin", "Inter", 200},
        {"Menlo-Regular", "DejaVu Sans Mono", 400}, {"Menlo-Bold", "DejaVu Sans Mono", 700},
        {".SystemFont-Regular", "Inter", 400},      {".SystemFont-Bold", "Inter", 700},
    };
    for (const ExpectedFace& expected : faces) {
        SCOPED_TRACE(expected.name);
        const std::optional<Font> font = Font::named(QString::fromLatin1(expected.name), 20);
        ASSERT_TRUE(font.has_value());
        const QFontInfo info(font->toQFont());
        EXPECT_EQ(info.family(), QString::fromLatin1(expected.family));
        EXPECT_EQ(info.weight(), expected.weight);
        EXPECT_FALSE(info.italic());
    }
    EXPECT_EQ(Font::systemFont(13).postScriptName(), ".SystemFont-Regular");
    EXPECT_EQ(Font::boldSystemFont(13).postScriptName(), ".SystemFont-Bold");
    EXPECT_EQ(Font::monospacedFont(11).postScriptName(), "Menlo-Regular");
}

TEST(GraphicsTest, EveryTableFaceIsInstalled)
{
    for (const graphics::FontFace& face : FontNameTable::faces()) {
        SCOPED_TRACE(face.postScriptName.toStdString());
        const QFontInfo info(Font(face.postScriptName, 12).toQFont());
        EXPECT_EQ(info.family(), face.installedFamily);
        EXPECT_EQ(info.italic(), face.italic);
    }
}

TEST(GraphicsTest, CondensedFacesAreNarrower)
{
    const QString sample = QStringLiteral("Promotional Screenshots");
    const double regular = QFontMetricsF(Font("AvenirNext-Regular", 40).toQFont()).horizontalAdvance(sample);
    const double condensed =
        QFontMetricsF(Font("AvenirNextCondensed-Regular", 40).toQFont()).horizontalAdvance(sample);
    EXPECT_LT(condensed, regular * 0.95);
}

TEST(GraphicsTest, UnknownFontNamesFallBackToTheSystemFont)
{
    EXPECT_FALSE(Font::named("NoSuchFont", 20).has_value());
    EXPECT_FALSE(Font::named("avenirnext-regular", 20).has_value());
    const Font unknown("NoSuchFont", 20);
    EXPECT_FALSE(unknown.isKnown());
    EXPECT_EQ(unknown.postScriptName(), "NoSuchFont");
    EXPECT_EQ(QFontInfo(unknown.toQFont()).family(), "Inter");
    EXPECT_EQ(unknown.boldVariant(), unknown);
    EXPECT_EQ(unknown.heavier(), unknown);
    EXPECT_EQ(unknown.withSize(30).pointSize(), 30);
    // A size that is not positive draws at the system size.
    EXPECT_DOUBLE_EQ(Font("AvenirNext-Regular", 0).toQFont().pointSizeF(), Font::systemFontSize());
}

TEST(GraphicsTest, FontVariantsStayInTheFamily)
{
    const Font regular("AvenirNext-Regular", 20);
    EXPECT_EQ(regular.boldVariant(), Font("AvenirNext-Bold", 20));
    EXPECT_EQ(regular.italicVariant(), Font("AvenirNext-Italic", 20));
    EXPECT_EQ(regular.heavier(), Font("AvenirNext-Medium", 20));
    EXPECT_EQ(regular.lighter(), Font("AvenirNext-UltraLight", 20));
    EXPECT_EQ(Font("AvenirNext-BoldItalic", 20).nonBoldVariant(), Font("AvenirNext-Italic", 20));
    EXPECT_EQ(Font("AvenirNext-BoldItalic", 20).nonItalicVariant(), Font("AvenirNext-Bold", 20));
    EXPECT_EQ(regular.nonBoldVariant(), regular);
    EXPECT_EQ(Font("HelveticaNeue-Light", 20).heavier(), Font("HelveticaNeue", 20));
    EXPECT_EQ(Font("Menlo-Regular", 11).boldVariant(), Font("Menlo-Bold", 11));
    // No heavier face than the heaviest: unchanged.
    EXPECT_EQ(Font("Menlo-Bold", 11).heavier(), Font("Menlo-Bold", 11));
    EXPECT_EQ(regular.larger().pointSize(), 21);
    EXPECT_EQ(regular.smaller().pointSize(), 19);
    EXPECT_EQ(regular.withSize(50), Font("AvenirNext-Regular", 50));
    EXPECT_TRUE(Font("AvenirNext-DemiBold", 20).isBold());
    EXPECT_FALSE(Font("AvenirNext-Medium", 20).isBold());
    EXPECT_TRUE(regular.italicVariant().isItalic());
}
