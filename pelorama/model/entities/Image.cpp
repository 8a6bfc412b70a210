#include "model/entities/Image.h"

#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/entities/ContextOperations.h"
#include "store/FetchRequest.h"

#include <QPointer>
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

DrawableSnapshot Image::snapshot() const
{
    return ImageSnapshot::of(*this);
}
} // namespace pelorama::model
