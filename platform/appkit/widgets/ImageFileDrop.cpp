#include "appkit/widgets/ImageFileDrop.h"

#include "graphics/ImageDecoderRegistry.h"

#include <QFileInfo>
#include <QMimeData>

namespace appkit {

QStringList ImageFileDrop::readableFileExtensions()
{
    return graphics::ImageDecoderRegistry::fileExtensions();
}

bool ImageFileDrop::isReadableImageFile(const QUrl& url)
{
    if (!url.isLocalFile()) {
        return false;
    }
    const QString extension = QFileInfo(url.toLocalFile()).suffix().toLower();
    return !extension.isEmpty() && readableFileExtensions().contains(extension);
}

QUrl ImageFileDrop::imageFileUrl(const QMimeData* data)
{
    if (!data || !data->hasUrls()) {
        return {};
    }
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !isReadableImageFile(urls.constFirst())) {
        return {};
    }
    return urls.constFirst();
}

} // namespace appkit
