#pragma once

#include "store/StoreForward.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace pelorama::document {

class PasteInsertion;

// How the objects of one entity travel in a pasteboard dictionary (see PasteboardSerialization): which
// relationships carry their related objects inside the dictionary, which attributes stay behind, and the
// extra data of objects that are linked by an identifier rather than by a relationship (a mapping's
// drawable, an image's asset), kept under "__extras__".
//
// The entity classes of the document stay free of pasteboard concerns: each entity that travels has one
// CopyPasteable, found by entity name. Screenshots, drawable mappings, images, device images, text rects
// and assets travel; gradients do not.
class CopyPasteable
{
public:
    virtual ~CopyPasteable() = default;

    // The CopyPasteable of the entity named entityName; nullptr for an entity that does not travel.
    static const CopyPasteable* forEntity(const QString& entityName);

    // A new object of the entity in context, with the defaults its class gives new objects (a new
    // uniqueIdentifier where the entity has one).
    virtual store::ManagedObject& insertInto(store::ManagedObjectContext& context) const = 0;

    virtual QStringList embeddedPasteboardRelationships() const { return {}; }
    virtual QStringList ignoredPasteboardAttributes() const { return {QStringLiteral("uniqueIdentifier")}; }
    virtual std::optional<QVariantMap> additionalPasteboardData(store::ManagedObject& object) const;

    // Checks extras read from a pasteboard, beside the object's already checked attributes, before
    // anything is inserted, and answers them in the form processAdditionalPasteboardData takes: nothing
    // when they hold nothing this entity uses, the problem when they are malformed. Nested dictionaries
    // are checked against their own entities.
    struct CheckedExtras
    {
        std::optional<QVariantMap> extras;
        std::optional<QString> problem;
    };
    virtual CheckedExtras checkAdditionalPasteboardData(const QVariantMap& checkedAttributes,
                                                        const QVariantMap& extras) const;

    // Called on a freshly inserted and filled object with checked extras, within the insertion that
    // made it.
    virtual void processAdditionalPasteboardData(store::ManagedObject& object, const QVariantMap& extras,
                                                 PasteInsertion& insertion) const;

    // Whether a checked dictionary of this entity should be left out of its owner's relationship rather
    // than inserted; a mapping that would map nothing is. Only for members of to-many relationships.
    virtual bool isDroppedFromPasteboard(const QVariantMap& checkedDictionary) const;
};

} // namespace pelorama::document
