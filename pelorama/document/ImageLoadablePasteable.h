#pragma once

#include "document/EntityPasteable.h"

namespace pelorama::document {

// Images and device images name their asset by identifier, so the asset, bytes and identifier included,
// travels in their extras under "asset". Pasting shares an asset of that identifier when the context
// already has one and inserts it otherwise, so copies within a document, and several images of one paste,
// share one asset. The picture itself is read again from the asset; only a picture that has no asset
// travels as it is, under "image".
class ImageLoadablePasteable : public EntityPasteable
{
public:
    explicit ImageLoadablePasteable(Insertion insertion);

    std::optional<QVariantMap> additionalPasteboardData(store::ManagedObject& object) const override;
    CheckedExtras checkAdditionalPasteboardData(const QVariantMap& checkedAttributes,
                                                const QVariantMap& extras) const override;
    void processAdditionalPasteboardData(store::ManagedObject& object, const QVariantMap& extras,
                                         PasteInsertion& insertion) const override;
};

} // namespace pelorama::document
