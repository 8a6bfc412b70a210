#include "canvas/CanvasView.h"

#include "canvas/CanvasHitTesting.h"
#include "canvas/CanvasImageDrops.h"
#include "canvas/CanvasOverlay.h"
#include "canvas/CanvasRenderScheduler.h"
#include "canvas/CaptionEditing.h"
#include "canvas/CaptionEditor.h"
#include "canvas/EmptyCanvasLabel.h"
#include "model/entities/Drawable.h"
#include "model/entities/Selectable.h"
#include "model/entities/TextRect.h"
#include "model/rendering/AspectFit.h"
#include "model/rendering/Canvas.h"
#include "vistrel/Vistrel.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>

namespace pelorama::canvas {

namespace {

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
    , m_revisions([this] { canvasDidChange(); })
    , m_rendering(std::make_unique<CanvasRenderScheduler>(*this))
    , m_layoutPerform([this] { layout(); })
    , m_editing(std::make_unique<CaptionEditing>(*this))
{
    setAcceptDrops(true);
    setMouseTracking(true);
    // Takes the focus by click and by Tab, so that the font panel reaches it.
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    m_rendering.reset();
    // Before the widget goes: an open editor would write into a view that is no longer whole.
    m_drops.reset();
    m_editing.reset();
    m_revisions.follow(nullptr);
}

tessaline::MarkupLabel* CanvasView::emptyLabel() const
{
    return m_emptyLabel;
}

void CanvasView::setCanvas(std::shared_ptr<const model::Canvas> canvas)
{
    // An open editor belongs to the caption of the canvas that goes: its text lands there first.
    commitEditing();
    m_rendering->canvasWillChange();
    m_revisions.follow(nullptr);
    m_canvas = std::move(canvas);

    setSelection(nullptr);
    m_emptyLabel->setHidden(m_canvas != nullptr);
    if (m_canvas) {
        setNeedsRendering(true);
        setNeedsLayout();
        m_revisions.follow(m_canvas.get());
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

void CanvasView::canvasDidChange()
{
    m_rendering->renderChange();
    if (const model::Selectable* selected = selection(); selected && selectionFrame() != viewRect(*selected))
        setNeedsLayout();
}

bool CanvasView::needsRendering() const
{
    return m_rendering->needsRendering() || m_revisions.isPending();
}

void CanvasView::setNeedsRendering(bool needsRendering)
{
    m_rendering->setNeedsRendering(needsRendering);
}

void CanvasView::renderCanvas()
{
    m_rendering->renderCanvas();
}

void CanvasView::setContents(std::optional<graphics::Image> contents, bool opaque)
{
    m_contents = std::move(contents);
    m_contentsOpaque = opaque && m_contents;
    update();
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
