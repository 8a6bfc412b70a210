#pragma once

#include "document/EntityPasteable.h"

namespace pelorama::document {

// A drawable mapping names its drawable by entity name and identifier, so the drawable travels in its
// extras under "drawable" and the identifier stays behind. Pasting inserts the drawable anew and points
// the mapping at it. A mapping whose drawable type is not "Image", "DeviceImage" or "TextRect", or that
// carries no drawable, would map nothing: it is left out rather than inserted.
class DrawableMappingPasteable : public EntityPasteable
{
public:
    DrawableMappingPasteable();

    std::optional<QVariantMap> additionalPasteboardData(store::ManagedObject& object) const override;
    CheckedExtras checkAdditionalPasteboardData(const QVariantMap& checkedAttributes,
                                                const QVariantMap& extras) const override;
    void processAdditionalPasteboardData(store::ManagedObject& object, const QVariantMap& extras,
                                         PasteInsertion& insertion) const override;
    bool isDroppedFromPasteboard(const QVariantMap& checkedDictionary) const override;

    // The entity names a mapping may map.
    static const QStringList& drawableTypes();
};

} // namespace pelorama::document
