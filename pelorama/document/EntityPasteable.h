#pragma once

#include "document/CopyPasteable.h"

#include <functional>

namespace pelorama::document {

// The CopyPasteable of an entity that needs no extras: its insertion, its embedded relationships and the
// attributes that stay behind.
class EntityPasteable : public CopyPasteable
{
public:
    using Insertion = std::function<store::ManagedObject&(store::ManagedObjectContext&)>;

    EntityPasteable(Insertion insertion, QStringList embeddedRelationships = {},
                    QStringList ignoredAttributes = {QStringLiteral("uniqueIdentifier")});

    store::ManagedObject& insertInto(store::ManagedObjectContext& context) const override;
    QStringList embeddedPasteboardRelationships() const override { return m_embeddedRelationships; }
    QStringList ignoredPasteboardAttributes() const override { return m_ignoredAttributes; }

    // The insertion of an entity class T through its own T::insertInto.
    template <typename T> static Insertion insertionOf()
    {
        return [](store::ManagedObjectContext& context) -> store::ManagedObject& {
            return *T::insertInto(context);
        };
    }

private:
    Insertion m_insertion;
    QStringList m_embeddedRelationships;
    QStringList m_ignoredAttributes;
};

} // namespace pelorama::document
