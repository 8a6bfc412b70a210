#include "model/TextRect.h"

#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/StringProperty.h"
#include "model/AttributeRowOptions.h"
#include "model/AttributeTable.h"
#include "model/Canvas.h"
#include "model/CanvasRenderingContext.h"
#include "model/ContextOperations.h"
#include "model/DirectionalShadow.h"
#include "model/TextRendering.h"
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
    return attributeTable().pixelKeys();
}

void TextRect::prepareForRedrawAfterChangingWithKeyPath(const QString& keyPath)
{
    // The styled text is built without the rectangle; the mask's width is the rectangle's. Vertical
    // alignment and the shadow settings are read at every draw.
    const bool stylesChange = keyPath == attribute::text.key() || keyPath == attribute::font.key() ||
                              keyPath == attribute::color.key() ||
                              keyPath == attribute::horizontalAlignment.key();
    if (!stylesChange && keyPath != attribute::rect.key())
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

} // namespace pelorama::model
