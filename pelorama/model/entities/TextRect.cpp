#include "model/entities/TextRect.h"

#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/StringProperty.h"
#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/entities/ContextOperations.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

namespace attribute {
constexpr Attribute<graphics::Font> font{u"font"};
constexpr Attribute<graphics::Color> color{u"color"};
constexpr Attribute<graphics::TextAlignment> horizontalAlignment{u"horizontalAlignment"};
constexpr Attribute<VerticalAlignment> verticalAlignment{u"verticalAlignment"};
constexpr Attribute<QString> text{u"text"};
constexpr Attribute<graphics::Rect> rect{u"rect"};
} // namespace attribute

const AttributeTable& TextRect::attributes()
{
    using graphics::TextAlignment;
    const int segmented = ledgerline::EnumerationProperty::segmentedDisplay;
    static const AttributeTable table(
        {
            attributeRow(uniqueIdentifierAttribute, {.insertion = &makeUniqueIdentifier}),
            attributeRow(attribute::font,
                         {.insertion = graphics::Font(QStringLiteral("AvenirNext-Regular"), 50),
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::font, .group = "Text", .label = "Font"}}}),
            attributeRow(attribute::color,
                         {.insertion = graphics::Color{1, 1, 1, 1},
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::colour,
                                         .group = "Text",
                                         .label = "Color",
                                         .initialValue = QVariant::fromValue(graphics::Color{1, 1, 1, 1})}}}),
            // Offered left to right as on screen; the values are the platform's raw values.
            attributeRow(attribute::horizontalAlignment,
                         {.insertion = TextAlignment::left,
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::choice,
                                         .group = "Text",
                                         .label = "Horizontal Alignment",
                                         .options = {{"Left", TextAlignment::left},
                                                     {"Center", TextAlignment::center},
                                                     {"Right", TextAlignment::right}},
                                         .displayStyle = segmented}}}),
            attributeRow(attribute::verticalAlignment,
                         {.insertion = VerticalAlignment::top,
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::choice,
                                         .group = "Text",
                                         .label = "Vertical Alignment",
                                         .options = {{"Top", VerticalAlignment::top},
                                                     {"Middle", VerticalAlignment::center},
                                                     {"Bottom", VerticalAlignment::bottom}},
                                         .displayStyle = segmented}}}),
            attributeRow(attribute::text,
                         {.insertion = QString(""),
                          .changesPixels = true,
                          .maximumLength = maximumTextLength,
                          .inspector = {{.kind = InspectorKind::text,
                                         .group = "Text",
                                         .label = "Text",
                                         .textStyle = ledgerline::StringProperty::multiLineText}}}),
            attributeRow(attribute::rect, {.insertion = graphics::Rect::zero(), .changesPixels = true}),
        },
        Shadowable::attributes());
    return table;
}

TextRect::TextRect()
    : Entity(attributes())
    , Shadowable(static_cast<Entity&>(*this))
{}

TextRect* TextRect::insertInto(store::ManagedObjectContext& context)
{
    return insertObject<TextRect>(context);
}

TextRect* TextRect::insertInto(store::ManagedObjectContext& context, const graphics::Rect& rect,
                               const QString& text, graphics::TextAlignment horizontalAlignment,
                               VerticalAlignment verticalAlignment)
{
    TextRect* textRect = insertInto(context);
    textRect->setRect(rect);
    textRect->setText(text);
    textRect->setHorizontalAlignment(horizontalAlignment);
    textRect->setVerticalAlignment(verticalAlignment);
    return textRect;
}

store::FetchRequest TextRect::fetchRequest()
{
    return store::FetchRequest(entityName<TextRect>());
}

QString TextRect::uniqueIdentifier() const
{
    return value(uniqueIdentifierAttribute);
}

void TextRect::setUniqueIdentifier(const QString& identifier)
{
    setValue(uniqueIdentifierAttribute, identifier);
}

QString TextRect::text() const
{
    return value(attribute::text);
}

void TextRect::setText(const QString& text)
{
    setValue(attribute::text, text);
}

std::optional<graphics::Font> TextRect::font() const
{
    return storedValue(attribute::font);
}

void TextRect::setFont(const std::optional<graphics::Font>& font)
{
    setValue(attribute::font, font);
}

std::optional<graphics::Color> TextRect::color() const
{
    return storedValue(attribute::color);
}

void TextRect::setColor(const std::optional<graphics::Color>& color)
{
    setValue(attribute::color, color);
}

graphics::Rect TextRect::rect() const
{
    return value(attribute::rect);
}

void TextRect::setRect(const graphics::Rect& rect)
{
    setValue(attribute::rect, rect);
}

graphics::TextAlignment TextRect::horizontalAlignment() const
{
    return value(attribute::horizontalAlignment);
}

void TextRect::setHorizontalAlignment(graphics::TextAlignment alignment)
{
    setValue(attribute::horizontalAlignment, alignment);
}

VerticalAlignment TextRect::verticalAlignment() const
{
    return value(attribute::verticalAlignment);
}

void TextRect::setVerticalAlignment(VerticalAlignment alignment)
{
    setValue(attribute::verticalAlignment, alignment);
}

DrawableSnapshot TextRect::snapshot() const
{
    return CaptionSnapshot::of(*this);
}

} // namespace pelorama::model
