#pragma once

#include "store/ManagedObjectModel.h"

#include <memory>

namespace pelorama::model {

// The data model "Document" of every document store: the entities Screenshot, DrawableMapping, Image,
// TextRect, DeviceImage, Gradient and Asset (resources/Document.json, compiled in).
//
// The first call, from any thread, loads it and registers, once per process, what its stores need: the
// value transformer its colour and font attributes name (CompressedKeyedArchiveTransformer) and the class
// of each entity. Every call answers the same model, so open stores only with it. A resource that is
// missing or does not load stops the process.
std::shared_ptr<const store::ManagedObjectModel> documentModel();

} // namespace pelorama::model
