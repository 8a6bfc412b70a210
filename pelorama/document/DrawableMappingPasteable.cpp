#include "document/DrawableMappingPasteable.h"

#include "document/PasteboardSerialization.h"
#include "model/entities/Drawable.h"
#include "model/entities/DrawableMapping.h"
#include "store/EntityDescription.h"
#include "store/ManagedObject.h"

namespace pelorama::document {

namespace {
const QString drawableKey = QStringLiteral("drawable");
const QString drawableTypeKey = QStringLiteral("drawableType");
} // namespace

DrawableMappingPasteable::DrawableMappingPasteable()
    : EntityPasteable(insertionOf<model::DrawableMapping>(), {}, {QStringLiteral("identifier")})
{}

const QStringList& DrawableMappingPasteable::drawableTypes()
{
    static const QStringList types{QStringLiteral("Image"), QStringLiteral("DeviceImage"),
                                   QStringLiteral("TextRect")};
    return types;
}

std::optional<QVariantMap>
DrawableMappingPasteable::additionalPasteboardData(store::ManagedObject& object) const
{
    auto* mapping = dynamic_cast<model::DrawableMapping*>(&object);
    auto* drawable = mapping ? dynamic_cast<store::ManagedObject*>(mapping->drawable()) : nullptr;
    if (!drawable || !CopyPasteable::forEntity(drawable->entity().name()))
        return std::nullopt;
    return QVariantMap{{drawableKey, QVariant(pasteboardDictionary(*drawable))}};
}

CopyPasteable::CheckedExtras
DrawableMappingPasteable::checkAdditionalPasteboardData(const QVariantMap& checkedAttributes,
                                                        const QVariantMap& extras) const
{
    const auto drawable = extras.constFind(drawableKey);
    const QString type = checkedAttributes.value(drawableTypeKey).toString();
    if (drawable == extras.constEnd() || !drawableTypes().contains(type))
        return {};
    if (drawable->typeId() != QMetaType::QVariantMap)
        return {std::nullopt, QStringLiteral("The drawable of a mapping is not valid.")};
    auto checked = checkedPasteboardDictionary(type, drawable->toMap());
    if (!checked)
        return {std::nullopt, checked.error()};
    return {QVariantMap{{drawableKey, *checked}}, std::nullopt};
}

void DrawableMappingPasteable::processAdditionalPasteboardData(store::ManagedObject& object,
                                                               const QVariantMap& extras,
                                                               PasteInsertion& insertion) const
{
    auto* mapping = dynamic_cast<model::DrawableMapping*>(&object);
    const auto found = extras.constFind(drawableKey);
    if (!mapping || found == extras.constEnd() || !drawableTypes().contains(mapping->drawableType()))
        return;
    if (!mapping->managedObjectContext())
        return;
    store::ManagedObject& drawable =
        insertFromPasteboardDictionary(mapping->drawableType(), found->toMap(), insertion);
    mapping->setDrawable(dynamic_cast<model::Drawable*>(&drawable));
    mapping->setIdentifier(drawable.valueForKey(QStringLiteral("uniqueIdentifier")).toString());
}

bool DrawableMappingPasteable::isDroppedFromPasteboard(const QVariantMap& checkedDictionary) const
{
    return !drawableTypes().contains(checkedDictionary.value(drawableTypeKey).toString()) ||
           !checkedDictionary.value(pasteboardExtrasKey).toMap().contains(drawableKey);
}

} // namespace pelorama::document
