#include "model/entities/Image.h"

#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/context/ContextOperations.h"
#include "store/FetchRequest.h"

#include <QPointer>
#include <cmath>

namespace pelorama::model {

const AttributeTable& Image::attributes()
{
    static const AttributeTable table(
        {
            attributeRow(uniqueIdentifierAttribute, {.insertion = &makeUniqueIdentifier, .indexed = true}),
            attributeRow(assetIdentifierAttribute),
            attributeRow(fillModeAttribute,
                         {.insertion = FillMode::stretch,
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::choice,
                                         .group = "Image",
                                         .label = "Resizing mode",
                                         .options = {{"Stretch", FillMode::stretch},
                                                     {"Aspect fit", FillMode::aspectFit},
                                                     {"Aspect fill", FillMode::aspectFill}}}}}),
            attributeRow(imageAttribute,
                         {.changesPixels = true,
                          .dependsOn = {assetIdentifierAttribute.key()},
                          .inspector = {{.kind = InspectorKind::picture, .group = "Image", .label = "Image"}},
                          .valueForKey = &imageValue}),
            attributeRow(rectAttribute, {.insertion = graphics::Rect::zero(), .changesPixels = true}),
        },
        Shadowable::attributes());
    return table;
}

Image::Image()
    : ImageLoadable(attributes())
    , Shadowable(static_cast<Entity&>(*this))
{}

Image* Image::insertInto(store::ManagedObjectContext& context, const std::optional<graphics::Image>& picture,
                         const graphics::Rect& rect, FillMode fillMode)
{
    Image* image = insertInto(context);
    image->setImage(picture);
    image->setRect(rect);
    image->setFillMode(fillMode);
    return image;
}

DrawableSnapshot Image::snapshot() const
{
    return ImageSnapshot::of(*this);
}
} // namespace pelorama::model
