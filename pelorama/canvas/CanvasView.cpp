#include "canvas/CanvasView.h"

#include "appkit/FileErrorAlert.h"
#include "appkit/ImageFileDrop.h"
#include "canvas/CanvasOverlay.h"
#include "canvas/CaptionEditor.h"
#include "canvas/FontManager.h"
#include "canvas/OpenGLCanvasViewRenderer.h"
#include "canvas/RasterCanvasViewRenderer.h"
#include "foundation/Diagnostics.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/DocumentSelection.h"
#include "model/entities/Drawable.h"
#include "model/entities/ImageDroppable.h"
#include "model/entities/Screenshot.h"
#include "model/entities/Selectable.h"
#include "model/entities/TextRect.h"
#include "model/rendering/AspectFit.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/PoolMailbox.h"
#include "model/rendering/RenderPool.h"
#include "tessaline/Shared/Observer.h"
#include "tessaline/Tessaline/MarkupLabel.h"

#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPalette>

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

CanvasView::CanvasView(QWidget* parent)
    : CanvasView(parent, vistrel::Vistrel::isSupported())
{}

CanvasView::CanvasView(QWidget* parent, bool openGLSupported)
    : QWidget(parent)
    , m_renderPerform([this] { renderCanvas(); })
    , m_layoutPerform([this] { layout(); })
{
    setAcceptDrops(true);
    setMouseTracking(true);
    // Takes the focus by click and by Tab, so that the font panel reaches it.
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);

    m_readDrops = std::make_shared<model::PoolMailbox<ReadDrop>>(*this, &CanvasView::takeDroppedFiles);
    connect(&m_pictures, &DecodingPictures::pictureArrived, this, [this] { setNeedsRendering(true); });
    chooseRenderer(openGLSupported);
    m_overlay = new CanvasOverlay(this);
    m_overlay->setGeometry(rect());
    m_overlay->show();
    emptyLabel()->setHidden(m_canvas != nullptr);
}

CanvasView::~CanvasView()
{
    m_readDrops->close();
    // The editor would end its editing as it goes, into a view that is no longer whole.
    if (m_editor) {
        m_editor->disconnect(this);
        delete m_editor;
    }
    m_drawableObservers.clear();
}

void CanvasView::chooseRenderer(bool openGLSupported)
{
    auto openGL = OpenGLCanvasViewRenderer::make(*this, openGLSupported);
    if (openGL) {
        m_renderer = std::move(*openGL);
        return;
    }
    foundation::note("OpenGL not supported on this system. Using software rendering");
    m_renderer = std::make_unique<RasterCanvasViewRenderer>(*this);
}

tessaline::MarkupLabel* CanvasView::emptyLabel()
{
    if (!m_emptyLabel) {
        auto* label = new tessaline::MarkupLabel(this);
        label->setAlignment(graphics::TextAlignment::center);
        label->setTextColor(
            graphics::Color::fromQColor(palette().color(QPalette::Disabled, QPalette::WindowText)));
        label->setMarkupStringValue(QStringLiteral(
            "**No screenshot selected**\n\nAdd a screenshot from a template to edit it here."));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->hide();
        m_emptyLabel = label;
        placeEmptyLabel();
    }
    return m_emptyLabel;
}

void CanvasView::placeEmptyLabel()
{
    if (!m_emptyLabel)
        return;
    // Centred vertically, spanning the view's width.
    const int labelHeight = m_emptyLabel->heightForWidth(width());
    m_emptyLabel->setGeometry(0, (height() - labelHeight) / 2, width(), labelHeight);
}

void CanvasView::setCanvas(std::shared_ptr<const model::Canvas> canvas)
{
    // An open editor belongs to the caption of the canvas that goes: its text lands there first.
    commitEditing();
    m_drawableObservers.clear();
    m_canvas = std::move(canvas);
    m_pictures.reset();

    setSelection(nullptr);
    if (!m_canvas) {
        emptyLabel()->show();
        m_renderer->canvasDidChange();
        return;
    }
    emptyLabel()->hide();
    setNeedsRendering(true);
    setNeedsLayout();
    for (model::Drawable* drawable : m_canvas->drawables()) {
        auto* object = dynamic_cast<store::ManagedObject*>(drawable);
        if (!object)
            continue;
        for (const QString& keyPath : model::pixelKeys(*object)) {
            m_drawableObservers.push_back(std::make_unique<tessaline::Observer>(
                object, keyPath, false, [this, drawable](const QVariant&) { drawableDidChange(drawable); }));
        }
    }
    m_renderer->canvasDidChange();
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
    m_needsRendering = false;
    if (!m_canvas)
        return;
    // A slot may assign another canvas while it hears of this one.
    const std::shared_ptr<const model::Canvas> canvas = m_canvas;
    emit willRender(*canvas);
    m_renderer->render();
    emit didRender(*canvas);
}

graphics::Image CanvasView::renderCanvasImage()
{
    if (!m_canvas)
        return {};
    return m_canvasRenderer.render(m_pictures.prepared(model::DetachedCanvas(*m_canvas)),
                                   model::CanvasRenderingMode::canvasView, boundsSize(), 2.0);
}

void CanvasView::setContents(std::optional<graphics::Image> contents)
{
    m_contents = std::move(contents);
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
    if (!map || !map->isValid() || !map->fittedRect().contains(viewPoint))
        return nullptr;
    const graphics::Point canvasPoint = map->canvasPoint(viewPoint);
    const std::vector<model::Drawable*> drawables = m_canvas->drawables();
    for (auto drawable = drawables.rbegin(); drawable != drawables.rend(); ++drawable) {
        auto* selectable = dynamic_cast<model::Selectable*>(*drawable);
        if (selectable && selectable->boundingRect().contains(canvasPoint))
            return selectable;
    }
    return nullptr;
}

model::ImageDroppable* CanvasView::dropTarget(const QMimeData* data, graphics::Point viewPoint) const
{
    auto* target = dynamic_cast<model::ImageDroppable*>(selectableAt(viewPoint));
    if (!target || imageFileUrls(data).isEmpty())
        return nullptr;
    return target;
}

graphics::Point CanvasView::viewPoint(const QPointF& position) const
{
    return {position.x(), height() - position.y()};
}

void CanvasView::setSelection(model::Selectable* selection)
{
    m_selection = selection;
    if (!selection) {
        m_overlay->setSelectionFrame(std::nullopt);
    } else {
        showSelectedFont();
        m_overlay->setSelectionFrame(viewRect(*selection));
    }
    if (m_documentSelection)
        m_documentSelection->setDrawable(selection);
    emit selectionChanged(dynamic_cast<model::Drawable*>(selection));
}

void CanvasView::setDocumentSelection(model::DocumentSelection* selection)
{
    if (m_documentSelection)
        m_documentSelection->disconnect(this);
    m_documentSelection = selection;
    if (!selection)
        return;
    connect(selection, &model::DocumentSelection::screenshotsChanged, this,
            &CanvasView::showSelectedScreenshot);
    connect(selection, &model::DocumentSelection::drawableChanged, this, &CanvasView::showSelectedDrawable);
    showSelectedScreenshot();
}

void CanvasView::showSelectedScreenshot()
{
    // A canvas is built when screenshots are chosen, never per render.
    model::Screenshot* screenshot = m_documentSelection ? m_documentSelection->screenshot() : nullptr;
    setCanvas(screenshot ? std::make_shared<const model::Canvas>(screenshot->makeCanvas()) : nullptr);
}

void CanvasView::showSelectedDrawable()
{
    if (m_documentSelection && m_documentSelection->drawable() != selection())
        setSelection(m_documentSelection->drawable());
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
    painter.fillRect(rect(), Qt::white);
    if (!m_contents || m_contents->isEmpty())
        return;
    const QImage& pixels = m_contents->representations().front().bitmap();
    const graphics::Rect fitted = model::aspectFit({double(pixels.width()), double(pixels.height())},
                                                   graphics::Rect({0, 0}, boundsSize()));
    // Fitted in a y-up space and centred, so it sits the same way in Qt's y-down one.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(fitted.toQRectF(), pixels);
}

void CanvasView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_overlay->setGeometry(rect());
    placeEmptyLabel();
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
    if (m_editor) {
        commitEditing();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const graphics::Point point = viewPoint(position);
    model::Selectable* hit = selectableAt(point);
    setSelection(hit);
    if (hit && clickCount == 2 && dynamic_cast<model::TextRect*>(hit))
        openEditor(*hit, viewRect(*hit));
}

void CanvasView::openEditor(model::Selectable& selectable, const graphics::Rect& viewRect)
{
    auto& textRect = dynamic_cast<model::TextRect&>(selectable);
    const std::optional<CanvasMapping> map = mapping();
    const double scale = map && map->isValid() ? map->scale() : 1;
    const graphics::Font font = textRect.font().value_or(graphics::Font());
    auto* editor = new CaptionEditor(textRect, font.withSize(font.pointSize() * scale), this);
    const QRectF frame(viewRect.minX(), height() - viewRect.maxY(), viewRect.width(), viewRect.height());
    editor->setGeometry(frame.toAlignedRect());
    connect(editor, &CaptionEditor::editingDidEnd, this, &CanvasView::commitEditing);
    connect(editor, &CaptionEditor::editingWasCancelled, this, &CanvasView::closeEditor);
    m_editor = editor;
    editor->show();
    editor->selectAll();
    editor->setFocus(Qt::OtherFocusReason);
}

void CanvasView::commitEditing()
{
    if (!m_editor)
        return;
    model::TextRect* textRect = m_editor->textRect();
    const QString text = m_editor->toPlainText();
    closeEditor();
    // Written only when changed, so that opening and leaving the editor is no edit of the document.
    if (textRect && !textRect->isDeleted() && textRect->managedObjectContext() && textRect->text() != text)
        textRect->setText(text);
}

void CanvasView::closeEditor()
{
    CaptionEditor* editor = m_editor;
    m_editor = nullptr;
    editor->disconnect(this);
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    // Ending may run inside the editor's own key or focus handling: it goes once that has returned.
    editor->deleteLater();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}

void CanvasView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    showSelectedFont();
}

void CanvasView::setFontManager(FontManager* fontManager)
{
    if (m_fontManager)
        m_fontManager->disconnect(this);
    m_fontManager = fontManager;
    if (fontManager)
        connect(fontManager, &FontManager::fontChosen, this, &CanvasView::changeFont);
}

void CanvasView::showSelectedFont()
{
    if (auto* textRect = dynamic_cast<model::TextRect*>(selection()); textRect && m_fontManager)
        m_fontManager->setSelectedFont(textRect->font().value_or(graphics::Font()), false);
}

void CanvasView::changeFont()
{
    // Only while the user works here: the focus of the window is this view or its editor.
    const QWidget* focus = window()->focusWidget();
    if (!focus || (focus != this && !isAncestorOf(focus)))
        return;
    auto* textRect = dynamic_cast<model::TextRect*>(selection());
    if (!textRect)
        return;
    textRect->setFont(m_fontManager->convertFont(textRect->font().value_or(graphics::Font())));
}

void CanvasView::dragEnterEvent(QDragEnterEvent* event)
{
    // Accepting the drag as a whole keeps the moves coming; each move says whether it can drop there.
    if (imageFileUrls(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CanvasView::dragMoveEvent(QDragMoveEvent* event)
{
    model::ImageDroppable* target = dropTarget(event->mimeData(), viewPoint(event->position()));
    if (!target) {
        m_overlay->setHighlightFrame(std::nullopt);
        event->ignore();
        return;
    }
    m_overlay->setHighlightFrame(viewRect(*target));
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CanvasView::dragLeaveEvent(QDragLeaveEvent* event)
{
    QWidget::dragLeaveEvent(event);
    m_overlay->setHighlightFrame(std::nullopt);
}

void CanvasView::dropEvent(QDropEvent* event)
{
    m_overlay->setHighlightFrame(std::nullopt);
    model::ImageDroppable* target = dropTarget(event->mimeData(), viewPoint(event->position()));
    if (!target) {
        event->ignore();
        return;
    }
    // Only the first image file counts. The drop is taken now; the picture follows once it is read.
    readDroppedFile(*target, imageFileUrls(event->mimeData()).constFirst());
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CanvasView::readDroppedFile(model::ImageDroppable& target, const QUrl& url)
{
    const quint64 drop = ++m_dropCount;
    m_latestDrops[&target] = drop;
    if (m_pendingDrops.empty())
        setCursor(Qt::BusyCursor);
    m_pendingDrops[drop] = {url, WeakReference<model::ImageDroppable>(&target), &target};
    model::startOnPool([mailbox = m_readDrops, drop, url] {
        mailbox->deliver({drop, model::ImageDroppable::readDroppedFile(url)});
    });
}

void CanvasView::takeDroppedFiles()
{
    for (ReadDrop& read : m_readDrops->take()) {
        const auto pending = m_pendingDrops.find(read.drop);
        if (pending == m_pendingDrops.end())
            continue;
        const PendingDrop drop = pending->second;
        m_pendingDrops.erase(pending);
        if (m_pendingDrops.empty())
            unsetCursor();
        const auto latest = m_latestDrops.find(drop.key);
        if (latest == m_latestDrops.end() || latest->second != read.drop)
            continue;
        m_latestDrops.erase(latest);
        if (!read.reading) {
            appkit::FileErrorAlert::present(this, drop.url.toLocalFile(),
                                            read.reading.error().localizedDescription());
            continue;
        }
        // One change of the drawable, so one step to undo.
        if (model::ImageDroppable* droppable = drop.target.get())
            droppable->takeDroppedImage(*read.reading);
    }
}

} // namespace pelorama::canvas
