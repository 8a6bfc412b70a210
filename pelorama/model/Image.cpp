#include "model/Image.h"

#include "model/AspectFit.h"
#include "model/AttributeRowOptions.h"
#include "model/AttributeTable.h"
#include "model/Canvas.h"
#include "model/CanvasRenderingContext.h"
#include "model/ContextOperations.h"
#include "model/DirectionalShadow.h"
#include "model/StyleKit.h"
#include "store/FetchRequest.h"

#include <cmath>

namespace pelorama::model {

namespace attribute {
constexpr Attribute<FillMode> fillMode{u"fillMode"};
constexpr Attribute<graphics::Rect> rect{u"rect"};
} // namespace attribute

const AttributeTable& Image::attributes()
{
    static const AttributeTable table(
        {
            attributeRow(uniqueIdentifierAttribute, {.insertion = &makeUniqueIdentifier}),
            attributeRow(assetIdentifierAttribute),
            attributeRow(attribute::fillMode,
                         {.insertion = FillMode::stretch,
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::choice,
                                         .group = "Image",
                                         .label = "Resizing mode",
                                         .options = {{"Stretch", FillMode::stretch},
                                                     {"Aspect fit", FillMode::aspectFit},
                                                     {"Aspect fill", FillMode::aspectFill}}}}}),
            attributeRow(
                imageAttribute,
                {.changesPixels = true,
                 .inspector = {{.kind = InspectorKind::picture, .group = "Image", .label = "Image"}}}),
            attributeRow(attribute::rect, {.insertion = graphics::Rect::zero(), .changesPixels = true}),
        },
        Shadowable::attributes());
    return table;
}

Image::Image()
    : Entity(attributes())
    , ImageLoadable(static_cast<Entity&>(*this))
    , Shadowable(static_cast<Entity&>(*this))
{}

Image* Image::insertInto(store::ManagedObjectContext& context)
{
    return insertObject<Image>(context);
}

Image* Image::insertInto(store::ManagedObjectContext& context, const std::optional<graphics::Image>& picture,
                         const graphics::Rect& rect, FillMode fillMode)
{
    Image* image = insertInto(context);
    image->setImage(picture);
    image->setRect(rect);
    image->setFillMode(fillMode);
    return image;
}

store::FetchRequest Image::fetchRequest()
{
    return store::FetchRequest(entityName<Image>());
}

QString Image::uniqueIdentifier() const
{
    return value(uniqueIdentifierAttribute);
}

void Image::setUniqueIdentifier(const QString& identifier)
{
    setValue(uniqueIdentifierAttribute, identifier);
}

graphics::Rect Image::rect() const
{
    return value(attribute::rect);
}

void Image::setRect(const graphics::Rect& rect)
{
    setValue(attribute::rect, rect);
}

FillMode Image::fillMode() const
{
    return value(attribute::fillMode);
}

void Image::setFillMode(FillMode mode)
{
    setValue(attribute::fillMode, mode);
}

namespace {

bool hasArea(const graphics::Size& size)
{
    return size.width > 0 && size.height > 0 && std::isfinite(size.width) && std::isfinite(size.height);
}

} // namespace

std::optional<Image::Placement> Image::placement(const graphics::Size& pictureSize) const
{
    const graphics::Rect frame = rect().standardized();
    if (!hasArea(frame.size) || !hasArea(pictureSize))
        return std::nullopt;
    switch (fillMode()) {
    case FillMode::stretch:
        break;
    case FillMode::aspectFit:
        return Placement{aspectFit(pictureSize, frame), graphics::Rect::zero()};
    case FillMode::aspectFill:
        return Placement{frame, aspectFit(frame.size, {graphics::Point{}, pictureSize})};
    }
    return Placement{frame, graphics::Rect::zero()};
}

void Image::draw(const Canvas& canvas, const CanvasRenderingContext& context)
{
    graphics::GraphicsContext& graphics = context.graphicsContext;
    const std::optional<graphics::Image> picture = image();
    if (!picture) {
        drawPlaceholder(canvas, context);
        return;
    }
    const std::optional<Placement> where = placement(picture->size());
    if (!where)
        return;
    graphics.save();
    switch (shadowType()) {
    case ShadowType::none:
        break;
    case ShadowType::drop:
        setDropShadow(graphics, context.scaleFactor);
        break;
    case ShadowType::directional: {
        // A fraction of the canvas diagonal, so the band keeps its place whatever the render's scale.
        const graphics::Size size = canvas.size();
        const double depth = shadowDepth() * std::sqrt(size.width * size.width + size.height * size.height);
        graphics.setFillColor(shadowColor().value_or(graphics::Shadow{}.color));
        drawDirectionalShadow(graphics, *picture, where->destination, where->source, shadowAngle(), depth);
        break;
    }
    }
    picture->draw(graphics, where->destination, where->source);
    graphics.restore();
}

void Image::drawPlaceholder(const Canvas& canvas, const CanvasRenderingContext& context) const
{
    const CanvasRenderingMode mode = context.renderingMode;
    const double canvasWidth = canvas.size().width;
    const graphics::Rect frame = rect();
    if ((mode != CanvasRenderingMode::canvasView && mode != CanvasRenderingMode::templatePreview) ||
        !(canvasWidth > 0) || !std::isfinite(canvasWidth) || !hasArea(frame.standardized().size))
        return;
    graphics::GraphicsContext& graphics = context.graphicsContext;
    graphics.save();
    // In bitmap pixels, so the placeholder's lines and text keep their size at every zoom.
    graphics.concatenate(context.transform.inverted());
    const double f = graphics.width() / canvasWidth;
    const graphics::Rect pixels{frame.origin.x * f, frame.origin.y * f, frame.size.width * f,
                                frame.size.height * f};
    if (mode == CanvasRenderingMode::canvasView)
        StyleKit::drawImagePlaceholder(graphics, pixels);
    else
        StyleKit::drawEmptyBox(graphics, pixels);
    graphics.restore();
}

QStringList Image::keypathsTriggeringRedraw() const
{
    return attributeTable().pixelKeys();
}

void Image::prepareForRedrawAfterChangingWithKeyPath(const QString&) {}

void Image::awakeFromFetch()
{
    Entity::awakeFromFetch();
    loadImageFromAsset();
}

void Image::prepareForDeletion()
{
    Entity::prepareForDeletion();
    deleteAsset();
}

} // namespace pelorama::model
