#include "canvas/ScreenshotThumbnailView.h"

#include "graphics/GraphicsContext.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/AspectFit.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "store/ManagedObjectContext.h"

#include <QPainter>
#include <QSet>
#include <cmath>

namespace pelorama::canvas {

namespace {

constexpr graphics::Size thumbnailBox{150, 100};
constexpr double thumbnailScale = 2;

} // namespace

ScreenshotThumbnailView::ScreenshotThumbnailView(QWidget* parent)
    : QWidget(parent)
    , m_updatePerform([this] { renderThumbnail(); })
{}

void ScreenshotThumbnailView::setScreenshot(model::Screenshot* screenshot)
{
    disconnect(m_contextConnection);
    m_screenshot = screenshot;
    if (!screenshot)
        return;
    if (store::ManagedObjectContext* context = screenshot->managedObjectContext())
        m_contextConnection = connect(context, &store::ManagedObjectContext::objectsDidChange, this,
                                      &ScreenshotThumbnailView::modelDidChange);
    scheduleRender();
}

void ScreenshotThumbnailView::updateImage()
{
    if (m_screenshot)
        m_updatePerform.request();
}

void ScreenshotThumbnailView::modelDidChange(const store::ObjectChanges& changes)
{
    if (!m_screenshot || m_screenshot->isDeleted() || m_updatePerform.isPending())
        return;
    // What the thumbnail draws: the screenshot and the drawables its mappings name.
    QSet<const QObject*> shown{m_screenshot.data()};
    for (model::Drawable* drawable : m_screenshot->makeCanvas().drawables()) {
        if (const auto* object = dynamic_cast<const QObject*>(drawable))
            shown.insert(object);
    }
    for (const QList<store::ManagedObject*>* objects :
         {&changes.inserted, &changes.updated, &changes.deleted}) {
        for (const store::ManagedObject* object : *objects) {
            if (shown.contains(object)) {
                m_updatePerform.request();
                return;
            }
        }
    }
}

void ScreenshotThumbnailView::scheduleRender()
{
    QMetaObject::invokeMethod(this, &ScreenshotThumbnailView::renderThumbnail, Qt::QueuedConnection);
}

void ScreenshotThumbnailView::renderThumbnail()
{
    if (!m_screenshot)
        return;
    setImage(m_renderer.render(model::DetachedCanvas(m_screenshot->makeCanvas()),
                               model::CanvasRenderingMode::thumbnail, thumbnailBox, thumbnailScale));
}

void ScreenshotThumbnailView::setImage(std::optional<graphics::Image> image)
{
    m_image = std::move(image);
    m_composed = QImage();
    layout();
    update();
}

void ScreenshotThumbnailView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layout();
}

void ScreenshotThumbnailView::layout()
{
    if (!m_image)
        return;
    const graphics::Rect inside = graphics::Rect(0, 0, width(), height()).insetBy(inset, inset);
    const graphics::Rect fitted = model::aspectFit(m_image->size(), inside);
    const auto finite = [](double value) {
        return std::isfinite(value);
    };
    if (!finite(fitted.origin.x) || !finite(fitted.origin.y) || !finite(fitted.size.width) ||
        !finite(fitted.size.height))
        return;
    const graphics::Rect frame = fitted.integral();
    if (frame != m_imageFrame) {
        m_imageFrame = frame;
        m_composed = QImage();
    }
}

QImage ScreenshotThumbnailView::composed(double pixelRatio) const
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(int(std::ceil(width() * pixelRatio)),
                                                          int(std::ceil(height() * pixelRatio)));
    if (bitmap.isNull() || !m_imageFrame)
        return bitmap;
    // The frame is in y-down view points; the context draws y up in pixels.
    const graphics::Rect& frame = *m_imageFrame;
    const graphics::Rect flipped(frame.minX(), height() - frame.maxY(), frame.width(), frame.height());
    {
        graphics::GraphicsContext context(bitmap);
        context.scale(pixelRatio, pixelRatio);
        // The backing casts the shadow: black at 0.4, one point down, blurred by 2 points.
        context.save();
        context.setShadow(graphics::Shadow{{0, 0, 0, 0.4}, {0, -pixelRatio}, 2 * pixelRatio});
        context.setFillColor({0, 0, 0, 1});
        context.fillRect(flipped);
        context.restore();
        if (m_image)
            context.drawImage(*m_image, flipped);
        // The border lies inside the frame.
        context.setStrokeColor({1, 1, 1, 1});
        context.strokeRect(flipped.insetBy(0.5, 0.5), 1);
    }
    bitmap.setDevicePixelRatio(pixelRatio);
    return bitmap;
}

void ScreenshotThumbnailView::paintEvent(QPaintEvent*)
{
    if (!m_imageFrame)
        return;
    const double pixelRatio = devicePixelRatioF();
    if (m_composed.isNull() || m_composedSize != size() || m_composed.devicePixelRatio() != pixelRatio) {
        m_composed = composed(pixelRatio);
        m_composedSize = size();
    }
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_composed);
}

} // namespace pelorama::canvas
