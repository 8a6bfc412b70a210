#pragma once

#include "foundation/Expected.h"
#include "model/DroppableError.h"
#include "model/Selectable.h"

#include <QUrl>

namespace pelorama::model {

// A selectable drawable that takes an image file dropped on it (images and device images).
class ImageDroppable : public Selectable
{
public:
    // Reads the file at url, decodes a picture from its bytes, sets it as the drawable's image and
    // keeps the bytes as a new asset. On failure the drawable is unchanged and the error says why; the
    // canvas view presents it.
    virtual foundation::Expected<void, DroppableError> processDroppedUrl(const QUrl& url) = 0;
};

} // namespace pelorama::model
