#include "model/TextRect.h"

#include "ledgerline/ColorProperty.h"
#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/FontProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/PropertyGroup.h"
#include "ledgerline/StringProperty.h"
#include "ledgerline/Then.h"
#include "model/Canvas.h"
#include "model/CanvasRenderingContext.h"
#include "model/ContextOperations.h"
#include "model/DirectionalShadow.h"
#include "model/TextRendering.h"
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

TextRect::StyleInputs TextRect::styleInputs() const
{
    // A document without a font or colour draws in the system font, in black, as text does by default.
    return {text(), font().value_or(graphics::Font::systemFont()),
            color().value_or(graphics::Color{0, 0, 0, 1}), horizontalAlignment()};
}

TextRect::DrawingCaches TextRect::preparedCaches(bool needsMask)
{
    StyleInputs inputs = styleInputs();
    const double width = rect().width();
    std::lock_guard lock(m_cacheMutex);
    if (!m_caches.styledText || m_caches.styleInputs != inputs) {
        m_caches.styledText = std::make_shared<const graphics::AttributedString>(
            styledCaptionText(inputs.text, inputs.font, inputs.color, inputs.alignment));
        m_caches.styleInputs = std::move(inputs);
    }
    if (!m_caches.layout || m_caches.layoutText != m_caches.styledText || m_caches.layoutWidth != width) {
        m_caches.layout = std::make_shared<const graphics::TextLayout>(*m_caches.styledText, width);
        m_caches.layoutText = m_caches.styledText;
        m_caches.layoutWidth = width;
    }
    const bool maskIsCurrent = m_caches.mask.image && m_caches.maskLayout == m_caches.layout;
    if (needsMask && !maskIsCurrent) {
        m_caches.mask.image.reset();
        // A mask too large for a bitmap casts no shadow; the next draw tries again.
        if (std::optional<TextMask> mask = TextMask::draw(*m_caches.layout, width)) {
            m_caches.mask = std::move(*mask);
            m_caches.maskLayout = m_caches.layout;
        }
    }
    return m_caches;
}

void TextRect::draw(const Canvas& canvas, const CanvasRenderingContext& context)
{
    const ShadowType type = shadowType();
    const DrawingCaches caches = preparedCaches(type == ShadowType::directional);
    const graphics::Rect box = rect();
    // The layout width is always the rectangle's, however wide the text turns out.
    const double height = caches.layout->height();
    const double y = captionTextY(box, height, verticalAlignment());

    graphics::GraphicsContext& graphics = context.graphicsContext;
    graphics.save();
    switch (type) {
    case ShadowType::drop:
        // Stays in force while the glyphs draw, so they cast it.
        setDropShadow(graphics, context.scaleFactor);
        break;
    case ShadowType::directional:
        if (caches.mask.image) {
            graphics.setFillColor(shadowColor().value_or(graphics::Shadow{}.color));
            // Cast from the mask's ink, which lines up with the glyphs drawn over it.
            drawDirectionalShadow(graphics, *caches.mask.image, caches.mask.imageRect(box.minX(), y),
                                  shadowAngle(), directionalShadowLength(canvas.size(), shadowDepth()));
        }
        break;
    case ShadowType::none:
        break;
    }
    graphics.drawText(*caches.layout, {box.minX(), y, box.width(), height});
    graphics.restore();
}

QStringList TextRect::keypathsTriggeringRedraw() const
{
    return QStringList{rectKey, textKey, fontKey, colorKey, horizontalAlignmentKey, verticalAlignmentKey} +
           shadowKeys();
}

void TextRect::prepareForRedrawAfterChangingWithKeyPath(const QString& keyPath)
{
    // The styled text is built without the rectangle; the mask's width is the rectangle's. Vertical
    // alignment and the shadow settings are read at every draw.
    const bool stylesChange =
        keyPath == textKey || keyPath == fontKey || keyPath == colorKey || keyPath == horizontalAlignmentKey;
    if (!stylesChange && keyPath != rectKey)
        return;
    std::lock_guard lock(m_cacheMutex);
    if (stylesChange) {
        m_caches.styledText.reset();
        m_caches.layout.reset();
        m_caches.layoutText.reset();
    }
    m_caches.mask.image.reset();
    m_caches.maskLayout.reset();
}

std::shared_ptr<const graphics::AttributedString> TextRect::cachedAttributedString() const
{
    std::lock_guard lock(m_cacheMutex);
    return m_caches.styledText;
}

std::shared_ptr<const graphics::TextLayout> TextRect::cachedTextLayout() const
{
    std::lock_guard lock(m_cacheMutex);
    return m_caches.layout;
}

std::shared_ptr<const graphics::Image> TextRect::maskImage() const
{
    std::lock_guard lock(m_cacheMutex);
    return m_caches.mask.image;
}

graphics::Size TextRect::maskSize() const
{
    std::lock_guard lock(m_cacheMutex);
    return m_caches.mask.size;
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
