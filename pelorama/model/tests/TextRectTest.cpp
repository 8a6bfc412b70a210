#include "model/entities/TextRect.h"

#include "DocumentStack.h"
#include "ledgerline/ColorProperty.h"
#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/FontProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/PropertyGroup.h"
#include "ledgerline/StringProperty.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

const graphics::Color white{1, 1, 1, 1};

class TextRectTest : public testing::Test
{
protected:
    TextRect* makeCaption(const QString& text, const graphics::Rect& rect,
                          VerticalAlignment vertical = VerticalAlignment::top,
                          graphics::TextAlignment horizontal = graphics::TextAlignment::left)
    {
        TextRect* caption = TextRect::insertInto(*stack.context, rect, text, horizontal, vertical);
        // Inter, which the setup installs, at a size whose lines are tens of pixels high.
        caption->setFont(graphics::Font(QStringLiteral("HelveticaNeue"), 40));
        return caption;
    }

    // The caption drawn alone on a transparent canvas at one pixel per point.
    static QImage render(TextRect* caption, graphics::Size canvasSize = {600, 600}, double scale = 1)
    {
        const graphics::Image image = DetachedCanvas(Canvas(canvasSize, {caption}))
                                          .render(CanvasRenderingMode::exportImage, canvasSize, scale);
        return image.representations().at(0).bitmap();
    }

    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(TextRectTest, ANewCaptionHasTheInsertionDefaults)
{
    TextRect* caption = TextRect::insertInto(*stack.context);
    EXPECT_EQ(caption->rect(), graphics::Rect::zero());
    EXPECT_EQ(caption->text(), "");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::left);
    EXPECT_EQ(caption->verticalAlignment(), VerticalAlignment::top);
    EXPECT_EQ(caption->color(), white);
    EXPECT_EQ(caption->font(), graphics::Font(QStringLiteral("AvenirNext-Regular"), 50));
    EXPECT_EQ(caption->uniqueIdentifier().size(), 36);
    EXPECT_EQ(caption->boundingRect(), caption->rect());
}

TEST_F(TextRectTest, HorizontalAlignmentAcceptsOnlyThePlatformsFiveValues)
{
    TextRect* caption = makeCaption("Hello", {20, 20, 300, 100});
    caption->setPrimitiveValue(qint64(2), "horizontalAlignment");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::center);
    caption->setPrimitiveValue(qint64(4), "horizontalAlignment");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::natural);
    for (const qint64 damaged : {qint64(5), qint64(1) << 40, qint64(-2)}) {
        caption->setPrimitiveValue(damaged, "horizontalAlignment");
        EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::left) << damaged;
        EXPECT_EQ(caption->valueForKey("horizontalAlignment"), QVariant(qint64(0))) << damaged;
    }
    caption->setPrimitiveValue(QVariant(), "horizontalAlignment");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::left);

    // A damaged alignment lays the text out as left does.
    caption->setPrimitiveValue(qint64(77), "horizontalAlignment");
    const QImage damaged = render(caption);
    caption->setHorizontalAlignment(graphics::TextAlignment::left);
    EXPECT_EQ(render(caption), damaged);
}

TEST_F(TextRectTest, TheInspectorOffersTextThenShadow)
{
    TextRect* caption = makeCaption("Hello", {20, 20, 300, 100}, VerticalAlignment::bottom);
    const auto collection = caption->makePropertyCollection();
    ASSERT_EQ(collection->groups().size(), 2u);
    const ledgerline::PropertyGroup& text = *collection->groups().at(0);
    EXPECT_EQ(text.name(), "Text");
    EXPECT_EQ(collection->groups().at(1)->name(), "Shadow");
    EXPECT_EQ(collection->groups().at(1)->properties().size(), 6u);
    QStringList names;
    for (const auto& property : text.properties())
        names.append(property->name());
    EXPECT_EQ(names, (QStringList{"Font", "Color", "Horizontal Alignment", "Vertical Alignment", "Text"}));

    auto& font = dynamic_cast<ledgerline::FontProperty&>(*text.properties().at(0));
    EXPECT_EQ(font.font(), caption->font());
    font.setValue(QVariant::fromValue(graphics::Font(QStringLiteral("AvenirNext-Bold"), 60)));
    EXPECT_EQ(caption->font(), graphics::Font(QStringLiteral("AvenirNext-Bold"), 60));
    auto& color = dynamic_cast<ledgerline::ColorProperty&>(*text.properties().at(1));
    EXPECT_EQ(color.color(), white);

    // Left, Center, Right on screen; the platform's raw values 0, 2, 1 in the document.
    auto& horizontal = dynamic_cast<ledgerline::EnumerationProperty&>(*text.properties().at(2));
    EXPECT_EQ(horizontal.displayStyle(), ledgerline::EnumerationProperty::segmentedDisplay);
    ASSERT_EQ(horizontal.options().size(), 3u);
    EXPECT_EQ(horizontal.options()[1].title, "Center");
    EXPECT_EQ(horizontal.options()[1].value, QVariant(qint64(2)));
    EXPECT_EQ(horizontal.selectedIndex(), 0);
    horizontal.selectOption(2);
    EXPECT_EQ(caption->primitiveValue("horizontalAlignment"), QVariant(qint64(1)));
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::right);

    auto& vertical = dynamic_cast<ledgerline::EnumerationProperty&>(*text.properties().at(3));
    EXPECT_EQ(vertical.displayStyle(), ledgerline::EnumerationProperty::segmentedDisplay);
    EXPECT_EQ(vertical.options()[1].title, "Middle");
    EXPECT_EQ(vertical.selectedIndex(), 2);
    caption->setVerticalAlignment(VerticalAlignment::center);
    EXPECT_EQ(vertical.selectedIndex(), 1);

    auto& string = dynamic_cast<ledgerline::StringProperty&>(*text.properties().at(4));
    EXPECT_EQ(string.textStyle(), ledgerline::StringProperty::multiLineText);
    EXPECT_EQ(string.maximumLength(), TextRect::maximumTextLength);
    EXPECT_EQ(string.text(), "Hello");
    string.setValue(QStringLiteral("Two\nlines"));
    EXPECT_EQ(caption->text(), "Two\nlines");
}

} // namespace
