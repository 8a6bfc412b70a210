#include "model/entities/ImageDroppable.h"

namespace pelorama::model {

foundation::Expected<graphics::ImageFile, DroppableError> ImageDroppable::readDroppedFile(const QUrl& url)
{
    foundation::Expected<graphics::ImageFile, graphics::ImageFileError> file =
        graphics::ImageFile::read(url.toLocalFile());
    if (file)
        return std::move(*file);
    if (file.error().code() == graphics::ImageFileError::Code::notAnImage)
        return foundation::Unexpected(DroppableError::imageLoadingFailure());
    return foundation::Unexpected(DroppableError::fileReadFailure(file.error().message()));
}

foundation::Expected<void, DroppableError> ImageDroppable::processDroppedUrl(const QUrl& url)
{
    foundation::Expected<graphics::ImageFile, DroppableError> file = readDroppedFile(url);
    if (!file)
        return foundation::Unexpected(file.error());
    takeDroppedImage(*file);
    return {};
}

} // namespace pelorama::model
