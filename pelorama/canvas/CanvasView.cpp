#include "canvas/CanvasView.h"

#include "canvas/CanvasHitTesting.h"
#include "canvas/CanvasImageDrops.h"
#include "canvas/CanvasOverlay.h"
#include "canvas/CaptionEditing.h"
#include "canvas/CaptionEditor.h"
#include "canvas/EmptyCanvasLabel.h"
#include "model/entities/Drawable.h"
#include "model/entities/Selectable.h"
#include "model/entities/TextRect.h"
#include "model/rendering/AspectFit.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/RenderPool.h"
#include "vistrel/Vistrel.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>

namespace pelorama::canvas {

namespace {

bool isOpaque(const graphics::Image& picture)
{
    if (picture.representations().empty())
        return false;
    const QImage& pixels = picture.representations().front().bitmap();
    if (!pixels.hasAlphaChannel())
        return true;
    // Where the alpha of a pixel lies: a byte of its own, or the top byte of a native 32-bit word.
    const bool alphaByte = pixels.format() == QImage::Format_RGBA8888_Premultiplied ||
                           pixels.format() == QImage::Format_RGBA8888;
    if (!alphaByte && pixels.format() != QImage::Format_ARGB32_Premultiplied &&
        pixels.format() != QImage::Format_ARGB32)
        return false;
    // Every picture shown is looked at whole, so a row's alphas are gathered in one loop the compiler
    // vectorises, and the row checked once.
    const int offset = alphaByte || Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 3 : 0;
    const int width = pixels.width();
    const int height = pixels.height();
    for (int y = 0; y < height; ++y) {
        const uchar* alpha = pixels.constScanLine(y) + offset;
        uchar all = 255;
        for (int x = 0; x < width; ++x)
            all &= alpha[4 * x];
        if (all != 255)
            return false;
    }
    return true;
}

// The pixels wholly inside rect.
QRect inside(const QRectF& rect)
{
    const QPoint topLeft(int(std::ceil(rect.left())), int(std::ceil(rect.top())));
    const QPoint bottomRight(int(std::floor(rect.right())), int(std::floor(rect.bottom())));
    return QRect(topLeft, bottomRight - QPoint(1, 1));
}

} // namespace

CanvasView::CanvasView(QWidget* parent)
    : CanvasView(parent, vistrel::Vistrel::isSupported())
{}

CanvasView::CanvasView(QWidget* parent, bool openGLSupported)
    : QWidget(parent)
    , m_drawableObservers([this](model::Drawable* drawable) { drawableDidChange(drawable); })
    , m_rendered(std::make_shared<foundation::PoolMailbox<Rendered>>(*this, &CanvasView::takeRender))
    , m_renderPerform([this] { renderCanvas(); })
    , m_layoutPerform([this] { layout(); })
    , m_editing(std::make_unique<CaptionEditing>(*this))
{
    setAcceptDrops(true);
    setMouseTracking(true);
    // Takes the focus by click and by Tab, so that the font panel reaches it.
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_renderThread.setMaxThreadCount(1);
    m_renderThread.setExpiryTimeout(-1);

    connect(&m_pictures, &DecodingPictures::pictureArrived, this, [this] { setNeedsRendering(true); });
    m_renderer = CanvasViewRendering::choose(*this, openGLSupported);
    m_overlay = new CanvasOverlay(this);
    m_overlay->setGeometry(rect());
    m_overlay->show();
    m_drops = std::make_unique<CanvasImageDrops>(*this, *m_overlay);
    m_emptyLabel = new EmptyCanvasLabel(*this);
    m_emptyLabel->show();
}

CanvasView::~CanvasView()
{
    // A render running ends on its own, and its picture goes nowhere.
    m_rendered->close();
    // Before the widget goes: an open editor would write into a view that is no longer whole.
    m_drops.reset();
    m_editing.reset();
    m_drawableObservers.observe(nullptr);
}

tessaline::MarkupLabel* CanvasView::emptyLabel() const
{
    return m_emptyLabel;
}

void CanvasView::setCanvas(std::shared_ptr<const model::Canvas> canvas)
{
    // An open editor belongs to the caption of the canvas that goes: its text lands there first.
    commitEditing();
    // A render announced for the canvas that goes is over unless it still runs; then it ends as it
    // comes back.
    if (!m_job)
        endAnnouncement();
    m_drawableObservers.observe(nullptr);
    m_canvas = std::move(canvas);
    m_pictures.reset();

    setSelection(nullptr);
    m_emptyLabel->setHidden(m_canvas != nullptr);
    if (m_canvas) {
        setNeedsRendering(true);
        setNeedsLayout();
        m_drawableObservers.observe(m_canvas.get());
    }
    m_renderer->canvasDidChange();
}

void CanvasView::setLanguage(const QString& language)
{
    if (language == m_language)
        return;
    commitEditing();
    m_language = language;
    setNeedsRendering(true);
}

void CanvasView::drawableDidChange(model::Drawable* drawable)
{
    // The render takes a fresh snapshot; nothing of the old picture needs letting go.
    setNeedsRendering(true);
    const auto* selectable = dynamic_cast<model::Selectable*>(drawable);
    if (selectable && selectable == selection())
        setNeedsLayout();
}

void CanvasView::setNeedsRendering(bool needsRendering)
{
    const bool requested = !m_needsRendering && needsRendering;
    m_needsRendering = needsRendering;
    if (requested)
        m_renderPerform.request();
}

void CanvasView::renderCanvas()
{
    // The render running starts the next one as it ends.
    if (m_job)
        return;
    m_needsRendering = false;
    if (!m_canvas)
        return;
    // A render that left pictures out was announced already: this one, or one after it, completes it.
    if (m_announced != m_canvas) {
        m_announced = m_canvas;
        emit willRender(*m_canvas);
        // A slot that assigned another canvas, or none, ended this announcement; another canvas has its
        // own render asked for.
        if (!m_canvas || m_announced != m_canvas)
            return;
    }
    m_renderingCanvas = m_canvas;
    m_job = ++m_jobs;
    DecodingPictures::Prepared prepared = m_pictures.prepared(model::DetachedCanvas(*m_canvas, m_language));
    model::startOnPool(
        [mailbox = m_rendered, job = m_job, renderer = std::move(m_canvasRenderer),
         snapshot = std::move(prepared.canvas), complete = prepared.complete,
         bounds = boundsSize()]() mutable {
            graphics::Image picture =
                renderer->render(snapshot, model::CanvasRenderingMode::canvasView, bounds, 2.0);
            const bool opaque = isOpaque(picture);
            mailbox->deliver(Rendered{job, std::move(picture), std::move(renderer), opaque, complete});
        },
        0, m_renderThread);
}

void CanvasView::takeRender()
{
    for (Rendered& rendered : m_rendered->take()) {
        if (rendered.job != m_job)
            continue;
        m_job = 0;
        m_canvasRenderer = std::move(rendered.renderer);
        const std::shared_ptr<const model::Canvas> canvas = std::exchange(m_renderingCanvas, nullptr);
        if (canvas != m_canvas) {
            // Replaced while it ran: not shown, but over. The canvas assigned has its own render asked for.
            endAnnouncement();
            continue;
        }
        m_renderer->show(std::move(rendered.picture), rendered.opaque);
        // A picture that leaves out pictures still being decoded is shown, as better than the last one,
        // but it is not the render announced: the one that follows their decoding is.
        if (rendered.complete)
            endAnnouncement();
    }
    if (!m_job && m_needsRendering)
        m_renderPerform.request();
}

void CanvasView::endAnnouncement()
{
    if (const std::shared_ptr<const model::Canvas> announced = std::exchange(m_announced, nullptr))
        emit didRender(*announced);
}

void CanvasView::setContents(std::optional<graphics::Image> contents, bool opaque)
{
    m_contents = std::move(contents);
    m_contentsOpaque = opaque && m_contents;
    update();
}

void CanvasView::setNeedsLayout()
{
    m_layoutPerform.request();
}

void CanvasView::layout()
{
    if (model::Selectable* selected = selection())
        m_overlay->setSelectionFrame(viewRect(*selected));
}

std::optional<CanvasMapping> CanvasView::mapping() const
{
    if (!m_canvas)
        return std::nullopt;
    return CanvasMapping(m_canvas->size(), graphics::Rect({0, 0}, boundsSize()));
}

graphics::Rect CanvasView::viewRect(const model::Selectable& selectable) const
{
    const std::optional<CanvasMapping> map = mapping();
    if (!map || !map->isValid())
        return graphics::Rect::zero();
    return map->viewRect(selectable.boundingRect());
}

model::Selectable* CanvasView::selectableAt(graphics::Point viewPoint) const
{
    const std::optional<CanvasMapping> map = mapping();
    return map ? canvas::selectableAt(*m_canvas, *map, viewPoint) : nullptr;
}

model::ImageDroppable* CanvasView::dropTarget(const QMimeData* data, graphics::Point viewPoint) const
{
    return m_drops->target(data, viewPoint);
}

graphics::Point CanvasView::viewPoint(const QPointF& position) const
{
    return {position.x(), height() - position.y()};
}

void CanvasView::setSelection(model::Selectable* selection)
{
    m_selection = selection;
    m_overlay->setSelectionFrame(selection ? std::optional(viewRect(*selection)) : std::nullopt);
    emit selectionChanged(dynamic_cast<model::Drawable*>(selection));
}

std::optional<graphics::Rect> CanvasView::selectionFrame() const
{
    return m_overlay->selectionFrame();
}

std::optional<graphics::Rect> CanvasView::highlightFrame() const
{
    return m_overlay->highlightFrame();
}

void CanvasView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_contents || m_contents->isEmpty()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    const QImage& pixels = m_contents->representations().front().bitmap();
    // Fitted in a y-up space and centred, so it sits the same way in Qt's y-down one.
    const QRectF fitted = model::aspectFit({double(pixels.width()), double(pixels.height())},
                                           graphics::Rect({0, 0}, boundsSize()))
                              .toQRectF();
    // White around the picture, and under it only where it may let the white through.
    painter.setClipRegion(QRegion(rect()).subtracted(m_contentsOpaque ? inside(fitted) : QRect()));
    painter.fillRect(rect(), Qt::white);
    painter.setClipping(false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(fitted, pixels);
}

void CanvasView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_overlay->setGeometry(rect());
    m_emptyLabel->place();
    layout();
    setNeedsRendering(true);
}

void CanvasView::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    // Hover follows the pointer only while no button is down, and only in the active application.
    if (event->buttons() != Qt::NoButton || QGuiApplication::applicationState() != Qt::ApplicationActive)
        return;
    model::Selectable* hit = selectableAt(viewPoint(event->position()));
    m_overlay->setHighlightFrame(hit ? std::optional(viewRect(*hit)) : std::nullopt);
}

void CanvasView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_overlay->setHighlightFrame(std::nullopt);
}

void CanvasView::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        mouseDown(event->position(), 1);
}

void CanvasView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt sends the second press of a double click here instead of to mousePressEvent.
    if (event->button() == Qt::LeftButton)
        mouseDown(event->position(), 2);
}

void CanvasView::mouseDown(const QPointF& position, int clickCount)
{
    // A click with the editor open ends the editing, keeping what was typed, and does nothing else.
    if (editor()) {
        commitEditing();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    model::Selectable* hit = selectableAt(viewPoint(position));
    setSelection(hit);
    auto* textRect = dynamic_cast<model::TextRect*>(hit);
    if (!textRect || clickCount != 2)
        return;
    const std::optional<CanvasMapping> map = mapping();
    m_editing->open(*textRect, m_language, viewRect(*hit), map && map->isValid() ? map->scale() : 1);
}

CaptionEditor* CanvasView::editor() const
{
    return m_editing->editor();
}

void CanvasView::commitEditing()
{
    m_editing->commit();
}

void CanvasView::dragEnterEvent(QDragEnterEvent* event)
{
    m_drops->dragEnter(*event);
}

void CanvasView::dragMoveEvent(QDragMoveEvent* event)
{
    m_drops->dragMove(*event);
}

void CanvasView::dragLeaveEvent(QDragLeaveEvent* event)
{
    QWidget::dragLeaveEvent(event);
    m_drops->dragLeave();
}

void CanvasView::dropEvent(QDropEvent* event)
{
    m_drops->drop(*event);
}

} // namespace pelorama::canvas
