#pragma once

#include "foundation/Expected.h"
#include "store/StoreForward.h"

#include <QLatin1StringView>
#include <QString>
#include <QVariantMap>

namespace pelorama::document {

class PasteInsertion;

// A pasteboard dictionary holds one object with the objects embedded in it, as plain values with no
// reference into any context, so that new objects can be made from it in any context. Built from the
// entity descriptions of the model with the hooks of each entity's CopyPasteable:
//
// - every attribute not in ignoredPasteboardAttributes whose primitive value is not nil, as stored
//   (geometry as text, enumerations as integers, colours and fonts as values, bytes as data);
// - under each embedded relationship's name: the related object's dictionary (to-one), or the array of
//   the members' dictionaries (to-many, in the relationship's order);
// - under "__extras__": the entity's additionalPasteboardData.
//
// So a copied screenshot holds its attributes and "drawableMappings"; each mapping its "drawableType"
// and its drawable under "__extras__"/"drawable"; each image or device image its asset, bytes included,
// under "__extras__"/"asset".
inline constexpr QLatin1StringView pasteboardExtrasKey{"__extras__"};

// The dictionary of object, whose entity must travel on the pasteboard.
QVariantMap pasteboardDictionary(store::ManagedObject& object);

// The most objects one embedded to-many relationship of a pasted dictionary may hold: far more drawables
// than any screenshot a template makes has, few enough that a crafted clipboard cannot hold the window.
inline constexpr qsizetype maximumPastedMembers = 1000;

// A dictionary from a pasteboard, which may come from anywhere, checked against entityName before
// anything of it is inserted: every attribute value must be one its attribute's row takes (any number for a
// number; an integer naming a case for an enumeration), every
// embedded relationship must hold dictionaries of the destination's kind and at most
// maximumPastedMembers of them, extras must be well formed.
// Unknown keys are ignored. Members that would insert a dangling object (a mapping of an unknown drawable
// type or without its drawable) are left out. Answers the dictionary to insert, or why it cannot be.
foundation::Expected<QVariantMap, QString> checkedPasteboardDictionary(const QString& entityName,
                                                                       const QVariantMap& dictionary);

// A new object of entityName in context, filled from a checked dictionary: attributes that the
// dictionary lacks keep the defaults of a new object, embedded objects are inserted with it (keeping
// their order), and the extras are processed. Identifiers are new, except an asset's, which travels.
store::ManagedObject& insertFromPasteboardDictionary(const QString& entityName, const QVariantMap& checked,
                                                     store::ManagedObjectContext& context);
// The same as part of a larger insertion (the screenshots of one paste), whose lookups it shares.
store::ManagedObject& insertFromPasteboardDictionary(const QString& entityName, const QVariantMap& checked,
                                                     PasteInsertion& insertion);

} // namespace pelorama::document
