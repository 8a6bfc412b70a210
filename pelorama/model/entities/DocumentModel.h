#pragma once

#include "store/ManagedObjectModel.h"
#include "store/StoreForward.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace pelorama::model {

class AttributeTable;

// The data model of every document store: the entities Screenshot, DrawableMapping, Image, TextRect,
// DeviceImage, Gradient and Asset, and the document's Languages, each with the attributes of its
// AttributeTable (adding a row adds the attribute to the stores) and the relationship of screenshots and
// their drawable mappings. The languages and the captions' "translations" came later: older stores lack
// them, open unchanged and read as having no translations and one language (store::SQLiteStore).
//
// The first call, from any thread, makes it and registers, once per process, what its stores need: the
// value transformer its colour and font attributes name (CompressedKeyedArchiveTransformer) and the class
// of each entity. Every call answers the same model, so open stores only with it. A model the tables do
// not make (a row with a name the store does not take, say) stops the process.
std::shared_ptr<const store::ManagedObjectModel> documentModel();

// The attribute table of the entity named entityName; nullptr for a name the document model lacks.
const AttributeTable* attributeTable(const QString& entityName);

// The keys whose change changes what an object of the entity draws, so that a canvas showing it must
// render again: the rows of its attribute table marked so. None for an entity that draws nothing, or an
// object of no document entity.
QStringList pixelKeys(const QString& entityName);
QStringList pixelKeys(const store::ManagedObject& object);

} // namespace pelorama::model
