#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

class QMimeData;

namespace appkit {

// What an image view accepts from drag and drop: local files whose extension is one that the image
// decoder registry reads. Only a drop's first item counts.
class ImageFileDrop
{
public:
    // Lower case, without the dot, in the registry's order.
    static QStringList readableFileExtensions();
    static bool isReadableImageFile(const QUrl& url);
    // The drop's first item when it is a readable image file, else an empty URL.
    static QUrl imageFileUrl(const QMimeData* data);
    static bool canAccept(const QMimeData* data) { return !imageFileUrl(data).isEmpty(); }
};

} // namespace appkit
