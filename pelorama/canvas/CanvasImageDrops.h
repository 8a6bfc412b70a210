#pragma once

#include "canvas/WeakReference.h"
#include "foundation/Expected.h"
#include "foundation/PoolMailbox.h"
#include "graphics/ImageFile.h"
#include "graphics/Point.h"
#include "model/entities/DroppableError.h"

#include <QObject>
#include <QUrl>
#include <map>
#include <memory>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMimeData;

namespace pelorama::model {
class ImageDroppable;
} // namespace pelorama::model

namespace pelorama::canvas {

class CanvasOverlay;
class CanvasView;

// Image files dropped on a canvas view. A drag that holds image files is taken where it is over an image
// or a device image, which is highlighted meanwhile; a drop there reads the first of the files on the
// render pool, and once it is read its picture replaces the drawable's (one step to undo), or an alert
// says why not. Nothing waits for the reading, and the view shows a busy cursor while files are read.
// Of two drops on one drawable the later one wins, whichever file is read first. Main thread only.
class CanvasImageDrops : public QObject
{
    Q_OBJECT

public:
    CanvasImageDrops(CanvasView& view, CanvasOverlay& overlay);
    // Files still being read go nowhere.
    ~CanvasImageDrops() override;

    // The image or device image under viewPoint when data holds an image file it can take.
    model::ImageDroppable* target(const QMimeData* data, graphics::Point viewPoint) const;

    // The view's drag events.
    void dragEnter(QDragEnterEvent& event);
    void dragMove(QDragMoveEvent& event);
    void dragLeave();
    void drop(QDropEvent& event);

private:
    void read(model::ImageDroppable& target, const QUrl& url);
    // Takes the files read since the last call.
    void takeReadFiles();

    CanvasView& m_view;
    CanvasOverlay& m_overlay;
    // Files still being read, by the number of their drop, and by target the number of the latest drop
    // on it.
    struct PendingDrop
    {
        QUrl url;
        WeakReference<model::ImageDroppable> target;
        const model::ImageDroppable* key = nullptr;
    };
    struct ReadDrop
    {
        quint64 drop = 0;
        foundation::Expected<graphics::ImageFile, model::DroppableError> reading;
    };
    std::map<quint64, PendingDrop> m_pendingDrops;
    quint64 m_dropCount = 0;
    std::map<const model::ImageDroppable*, quint64> m_latestDrops;
    std::shared_ptr<foundation::PoolMailbox<ReadDrop>> m_readDrops;
};

} // namespace pelorama::canvas
