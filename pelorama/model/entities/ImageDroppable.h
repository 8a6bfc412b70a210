#pragma once

#include "foundation/Expected.h"
#include "graphics/ImageFile.h"
#include "model/entities/DroppableError.h"
#include "model/entities/Selectable.h"

#include <QUrl>

namespace pelorama::model {

// A selectable drawable that takes an image file dropped on it. Images and device images take it as their
// picture through ImageLoadable.
class ImageDroppable : public Selectable
{
public:
    // Reads the file at url whole and decodes its picture (graphics::ImageFile::read, with its checks).
    // It touches no drawable and may take seconds for a large picture, so the canvas view calls it off
    // the main thread and hands the result to takeDroppedImage.
    static foundation::Expected<graphics::ImageFile, DroppableError> readDroppedFile(const QUrl& url);

    // Sets the file's picture as the drawable's image and keeps its bytes as a new asset, replacing the
    // old ones. On the drawable's thread.
    virtual void takeDroppedImage(const graphics::ImageFile& file) = 0;

    // Both of the above on the calling thread. On failure the drawable is unchanged and the error says
    // why.
    foundation::Expected<void, DroppableError> processDroppedUrl(const QUrl& url);
};

} // namespace pelorama::model
