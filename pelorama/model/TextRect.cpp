#include "model/TextRect.h"

#include "ledgerline/ColorProperty.h"
#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/FontProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/PropertyGroup.h"
#include "ledgerline/StringProperty.h"
#include "ledgerline/Then.h"
#include "model/ContextOperations.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

namespace {
const QString uniqueIdentifierKey = QStringLiteral("uniqueIdentifier");
const QString textKey = QStringLiteral("text");
const QString fontKey = QStringLiteral("font");
const QString colorKey = QStringLiteral("color");
const QString rectKey = QStringLiteral("rect");
const QString horizontalAlignmentKey = QStringLiteral("horizontalAlignment");
const QString verticalAlignmentKey = QStringLiteral("verticalAlignment");
const QString shadowTypeKey = QStringLiteral("shadowType");
} // namespace

TextRect::TextRect()
    : Shadowable(static_cast<Entity&>(*this))
{}

TextRect* TextRect::insertInto(store::ManagedObjectContext& context)
{
    TextRect* textRect = insertObject<TextRect>(context);
    textRect->setUniqueIdentifier(makeUniqueIdentifier());
    textRect->setRect(graphics::Rect::zero());
    textRect->setText(QString(""));
    textRect->setHorizontalAlignment(graphics::TextAlignment::left);
    textRect->setVerticalAlignment(VerticalAlignment::top);
    textRect->setColor(graphics::Color{1, 1, 1, 1});
    textRect->setFont(graphics::Font(QStringLiteral("AvenirNext-Regular"), 50));
    textRect->setShadowDefaults();
    return textRect;
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
    return stringValue(uniqueIdentifierKey);
}

void TextRect::setUniqueIdentifier(const QString& identifier)
{
    setAttributeValue(identifier, uniqueIdentifierKey);
}

QString TextRect::text() const
{
    return stringValue(textKey);
}

void TextRect::setText(const QString& text)
{
    setAttributeValue(text, textKey);
}

std::optional<graphics::Font> TextRect::font() const
{
    const QVariant value = attributeValue(fontKey);
    if (value.metaType() != QMetaType::fromType<graphics::Font>())
        return std::nullopt;
    return value.value<graphics::Font>();
}

void TextRect::setFont(const std::optional<graphics::Font>& font)
{
    setAttributeValue(font ? QVariant::fromValue(*font) : QVariant(), fontKey);
}

std::optional<graphics::Color> TextRect::color() const
{
    return colorValue(colorKey);
}

void TextRect::setColor(const std::optional<graphics::Color>& color)
{
    setColorValue(color, colorKey);
}

graphics::Rect TextRect::rect() const
{
    return typedPrimitiveValue<graphics::Rect>(rectKey).value_or(graphics::Rect::zero());
}

void TextRect::setRect(const graphics::Rect& rect)
{
    setTypedPrimitiveValue(rect, rectKey);
}

graphics::TextAlignment TextRect::horizontalAlignment() const
{
    return typedPrimitiveValue<graphics::TextAlignment>(horizontalAlignmentKey)
        .value_or(graphics::TextAlignment::left);
}

void TextRect::setHorizontalAlignment(graphics::TextAlignment alignment)
{
    setTypedPrimitiveValue(alignment, horizontalAlignmentKey);
}

VerticalAlignment TextRect::verticalAlignment() const
{
    return typedPrimitiveValue<VerticalAlignment>(verticalAlignmentKey).value_or(VerticalAlignment::top);
}

void TextRect::setVerticalAlignment(VerticalAlignment alignment)
{
    setTypedPrimitiveValue(alignment, verticalAlignmentKey);
}

std::unique_ptr<ledgerline::PropertyCollection> TextRect::makePropertyCollection()
{
    using ledgerline::then;
    auto collection = std::make_unique<ledgerline::PropertyCollection>();
    collection->addGroup(
        then(std::make_unique<ledgerline::PropertyGroup>(), [&](ledgerline::PropertyGroup& group) {
            group.setName(QStringLiteral("Text"));
            group.addProperty(then(
                std::make_unique<ledgerline::FontProperty>(font().value_or(graphics::Font::systemFont())),
                [&](auto& row) {
                    row.setName(QStringLiteral("Font"));
                    row.bind(this, fontKey);
                }));
            group.addProperty(then(
                std::make_unique<ledgerline::ColorProperty>(color().value_or(graphics::Color{1, 1, 1, 1})),
                [&](auto& row) {
                    row.setName(QStringLiteral("Color"));
                    row.bind(this, colorKey);
                }));
            // Offered left to right as on screen; the values are the platform's raw values.
            group.addProperty(then(std::make_unique<ledgerline::EnumerationProperty>(), [&](auto& row) {
                row.setName(QStringLiteral("Horizontal Alignment"));
                row.setDisplayStyle(ledgerline::EnumerationProperty::segmentedDisplay);
                row.addOption(QStringLiteral("Left"), qint64(graphics::TextAlignment::left));
                row.addOption(QStringLiteral("Center"), qint64(graphics::TextAlignment::center));
                row.addOption(QStringLiteral("Right"), qint64(graphics::TextAlignment::right));
                row.bind(this, horizontalAlignmentKey);
                row.setValue(qint64(horizontalAlignment()));
            }));
            group.addProperty(then(std::make_unique<ledgerline::EnumerationProperty>(), [&](auto& row) {
                row.setName(QStringLiteral("Vertical Alignment"));
                row.setDisplayStyle(ledgerline::EnumerationProperty::segmentedDisplay);
                row.addOption(QStringLiteral("Top"), qint64(VerticalAlignment::top));
                row.addOption(QStringLiteral("Middle"), qint64(VerticalAlignment::center));
                row.addOption(QStringLiteral("Bottom"), qint64(VerticalAlignment::bottom));
                row.bind(this, verticalAlignmentKey);
                row.setValue(qint64(verticalAlignment()));
            }));
            group.addProperty(then(std::make_unique<ledgerline::StringProperty>(text()), [&](auto& row) {
                row.setName(QStringLiteral("Text"));
                row.setTextStyle(ledgerline::StringProperty::multiLineText);
                row.setMaximumLength(maximumTextLength);
                row.bind(this, textKey);
            }));
        }));
    auto shadow = std::make_unique<ledgerline::PropertyGroup>();
    configureShadowPropertyGroup(*shadow, *collection);
    collection->addGroup(std::move(shadow));
    return collection;
}

bool TextRect::hasTypedKey(const QString& key) const
{
    return key == rectKey || key == horizontalAlignmentKey || key == verticalAlignmentKey ||
           key == shadowTypeKey;
}

QVariant TextRect::typedValueForKey(const QString& key) const
{
    if (key == rectKey)
        return QVariant::fromValue(rect());
    if (key == horizontalAlignmentKey)
        return QVariant::fromValue(static_cast<qint64>(horizontalAlignment()));
    if (key == verticalAlignmentKey)
        return enumerationValueForKey<VerticalAlignment>(key);
    return shadowTypeValue();
}

void TextRect::setTypedValueForKey(const QVariant& value, const QString& key)
{
    if (key == rectKey)
        setRect(requireValue<graphics::Rect>(value, key));
    else if (key == horizontalAlignmentKey || key == verticalAlignmentKey)
        setEnumerationValueForKey(value, key);
    else
        setShadowTypeValue(value);
}

DrawableSnapshot TextRect::snapshot() const
{
    return CaptionSnapshot::of(*this);
}

} // namespace pelorama::model
