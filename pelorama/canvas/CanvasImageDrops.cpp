#include "canvas/CanvasImageDrops.h"

#include "appkit/widgets/FileErrorAlert.h"
#include "appkit/widgets/ImageFileDrop.h"
#include "canvas/CanvasOverlay.h"
#include "canvas/CanvasView.h"
#include "model/entities/ImageDroppable.h"
#include "model/rendering/RenderPool.h"

#include <QDragEnterEvent>
#include <QMimeData>

namespace pelorama::canvas {

namespace {

// The image files of a drop, in the drop's order: local files of a format the decoder registry reads.
QList<QUrl> imageFileUrls(const QMimeData* data)
{
    QList<QUrl> urls;
    if (!data || !data->hasUrls())
        return urls;
    for (const QUrl& url : data->urls()) {
        if (appkit::ImageFileDrop::isReadableImageFile(url))
            urls.push_back(url);
    }
    return urls;
}

} // namespace

CanvasImageDrops::CanvasImageDrops(CanvasView& view, CanvasOverlay& overlay)
    : m_view(view)
    , m_overlay(overlay)
    , m_readDrops(
          std::make_shared<foundation::PoolMailbox<ReadDrop>>(*this, &CanvasImageDrops::takeReadFiles))
{}

CanvasImageDrops::~CanvasImageDrops()
{
    m_readDrops->close();
}

model::ImageDroppable* CanvasImageDrops::target(const QMimeData* data, graphics::Point viewPoint) const
{
    auto* target = dynamic_cast<model::ImageDroppable*>(m_view.selectableAt(viewPoint));
    if (!target || imageFileUrls(data).isEmpty())
        return nullptr;
    return target;
}

void CanvasImageDrops::dragEnter(QDragEnterEvent& event)
{
    // Accepting the drag as a whole keeps the moves coming; each move says whether it can drop there.
    if (imageFileUrls(event.mimeData()).isEmpty()) {
        event.ignore();
        return;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
}

void CanvasImageDrops::dragMove(QDragMoveEvent& event)
{
    model::ImageDroppable* found = target(event.mimeData(), m_view.viewPoint(event.position()));
    if (!found) {
        m_overlay.setHighlightFrame(std::nullopt);
        event.ignore();
        return;
    }
    m_overlay.setHighlightFrame(m_view.viewRect(*found));
    event.setDropAction(Qt::CopyAction);
    event.accept();
}

void CanvasImageDrops::dragLeave()
{
    m_overlay.setHighlightFrame(std::nullopt);
}

void CanvasImageDrops::drop(QDropEvent& event)
{
    m_overlay.setHighlightFrame(std::nullopt);
    model::ImageDroppable* found = target(event.mimeData(), m_view.viewPoint(event.position()));
    if (!found) {
        event.ignore();
        return;
    }
    // Only the first image file counts. The drop is taken now; the picture follows once it is read.
    read(*found, imageFileUrls(event.mimeData()).constFirst());
    event.setDropAction(Qt::CopyAction);
    event.accept();
}

void CanvasImageDrops::read(model::ImageDroppable& target, const QUrl& url)
{
    const quint64 drop = ++m_dropCount;
    m_latestDrops[&target] = drop;
    if (m_pendingDrops.empty())
        m_view.setCursor(Qt::BusyCursor);
    m_pendingDrops[drop] = {url, WeakReference<model::ImageDroppable>(&target), &target};
    model::startOnPool([mailbox = m_readDrops, drop, url] {
        mailbox->deliver({drop, model::ImageDroppable::readDroppedFile(url)});
    });
}

void CanvasImageDrops::takeReadFiles()
{
    for (ReadDrop& read : m_readDrops->take()) {
        const auto pending = m_pendingDrops.find(read.drop);
        if (pending == m_pendingDrops.end())
            continue;
        const PendingDrop drop = pending->second;
        m_pendingDrops.erase(pending);
        if (m_pendingDrops.empty())
            m_view.unsetCursor();
        const auto latest = m_latestDrops.find(drop.key);
        if (latest == m_latestDrops.end() || latest->second != read.drop)
            continue;
        m_latestDrops.erase(latest);
        if (!read.reading) {
            appkit::FileErrorAlert::present(&m_view, drop.url.toLocalFile(),
                                            read.reading.error().localizedDescription());
            continue;
        }
        // One change of the drawable, so one step to undo.
        if (model::ImageDroppable* droppable = drop.target.get())
            droppable->takeDroppedImage(*read.reading);
    }
}

} // namespace pelorama::canvas
