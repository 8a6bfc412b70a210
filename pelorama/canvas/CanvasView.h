#pragma once

#include "canvas/CanvasMapping.h"
#include "canvas/CanvasViewRendering.h"
#include "canvas/CaptionEditor.h"
#include "canvas/DecodingPictures.h"
#include "canvas/WeakReference.h"
#include "foundation/CoalescedPerform.h"
#include "foundation/Expected.h"
#include "graphics/Image.h"
#include "graphics/ImageFile.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"
#include "model/entities/DocumentSelection.h"
#include "model/entities/DroppableError.h"
#include "model/rendering/CanvasRenderer.h"
#include "model/rendering/PoolMailbox.h"
#include "tessaline/Tessaline/MarkupLabel.h"
#include "vistrel/Vistrel.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QMimeData;

namespace tessaline {
class Observer;
} // namespace tessaline

namespace pelorama::model {
class Canvas;
class Drawable;
class ImageDroppable;
class Selectable;
} // namespace pelorama::model

namespace pelorama::canvas {

class CanvasOverlay;
class FontManager;

// Where the user edits a screenshot: shows its canvas, rendered again whenever a drawable changes, frames
// the selection and what the pointer is over, edits captions in place and takes dropped image files,
// which it reads off the main thread.
//
// Rendering is deferred: observed changes only set needsRendering, and one render follows on the next
// pass of the event loop however many changes came before it. The picture reaches the screen through a
// renderer chosen once: the GPU image view where OpenGL works, else the view's own painting.
//
// The view shows a document's selection when it is given one: the canvas of the selected screenshot,
// built again whenever screenshots are chosen, and the selected drawable, framed; a click on the canvas
// selects in the document. It announces by signals what its owner may follow: selection changes and
// every render.
//
// Coordinates of the view's own operations ("view points") are y up with the origin at the bottom left,
// as canvas points are; Qt's widget coordinates (y down) appear only in event handling. Main thread only.
class CanvasView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool needsRendering READ needsRendering WRITE setNeedsRendering)

public:
    // Picks the renderer by vistrel::Vistrel::isSupported().
    explicit CanvasView(QWidget* parent = nullptr);
    // Picks the GPU renderer only when openGLSupported, else prints a note and falls back.
    CanvasView(QWidget* parent, bool openGLSupported);
    ~CanvasView() override;

    model::DocumentSelection* documentSelection() const { return m_documentSelection; }
    // Shows selection's screenshot and drawable from now on, and selects in it; none lets the view's
    // canvas and selection be set directly.
    void setDocumentSelection(model::DocumentSelection* selection);

    const std::shared_ptr<const model::Canvas>& canvas() const { return m_canvas; }
    // Shows canvas (none shows the empty label): commits and closes the caption editor, observes every
    // drawable's keys that change its pixels (model::pixelKeys), clears the selection and schedules a render.
    void setCanvas(std::shared_ptr<const model::Canvas> canvas);

    bool needsRendering() const { return m_needsRendering; }
    // Going from false to true schedules one render on the next pass of the event loop.
    void setNeedsRendering(bool needsRendering);
    // Renders now, between willRender and didRender; nothing without a canvas.
    Q_INVOKABLE void renderCanvas();

    CanvasViewRendering& renderer() const { return *m_renderer; }
    // A snapshot of the canvas taken now, rendered in canvasView mode into the view's bounds at scale 2
    // through the view's own model::CanvasRenderer, which keeps what it laid out for the next render.
    // Pictures not decoded yet are left out until they are (DecodingPictures), so that showing a
    // screenshot never waits for its pictures. The renderers call it; an empty image without a canvas.
    graphics::Image renderCanvasImage();
    // The label shown while no canvas is set, made on first use.
    tessaline::MarkupLabel* emptyLabel();
    std::size_t observerCount() const { return m_drawableObservers.size(); }

    // The raster renderer's picture, painted fitted and centred on white; none paints white only.
    const std::optional<graphics::Image>& contents() const { return m_contents; }
    void setContents(std::optional<graphics::Image> contents);
    // The view's size in points: the box a render fits the canvas into.
    graphics::Size boundsSize() const { return {double(width()), double(height())}; }

    // Canvas <-> view mapping from the current bounds; none without a canvas.
    std::optional<CanvasMapping> mapping() const;
    // The selectable's bounding rectangle in view points; the zero rectangle without a canvas.
    graphics::Rect viewRect(const model::Selectable& selectable) const;
    // The topmost selectable under a view point inside the fitted rectangle, none elsewhere.
    model::Selectable* selectableAt(graphics::Point viewPoint) const;
    // The image or device image under viewPoint when data holds an image file it can take.
    model::ImageDroppable* dropTarget(const QMimeData* data, graphics::Point viewPoint) const;
    // A widget position (y down) as a view point.
    graphics::Point viewPoint(const QPointF& position) const;

    model::Selectable* selection() const { return m_selection.get(); }
    // Frames selection (none hides the frame), shows a selected caption's font in the font panel, selects
    // it in the document's selection and emits selectionChanged; every assignment does so, also of the
    // same value.
    void setSelection(model::Selectable* selection);

    // The overlays' frames in view points; none while hidden.
    std::optional<graphics::Rect> selectionFrame() const;
    std::optional<graphics::Rect> highlightFrame() const;

    // The caption editor while one is open.
    CaptionEditor* editor() const { return m_editor; }
    // Writes the editor's text into its caption, then closes it; nothing when none is open.
    void commitEditing();

    // The window's font manager (none: no font panel): it shows a selected caption's font, and its
    // choices change that caption while the view or its editor has the window's keyboard focus.
    void setFontManager(FontManager* fontManager);

    // Layout, which moves the selection frame onto the selection, runs on the next pass of the event
    // loop once requested.
    bool needsLayout() const { return m_layoutPerform.isPending(); }
    void setNeedsLayout();

signals:
    // After every assignment of the selection, also to none; drawable is null when there is no selection
    // or the selection is no Drawable.
    void selectionChanged(pelorama::model::Drawable* drawable);
    // Around every render, in this order; a slot may assign another canvas meanwhile.
    void willRender(const pelorama::model::Canvas& canvas);
    void didRender(const pelorama::model::Canvas& canvas);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void chooseRenderer(bool openGLSupported);
    void showSelectedScreenshot();
    void showSelectedDrawable();
    void drawableDidChange(model::Drawable* drawable);
    void layout();
    void mouseDown(const QPointF& position, int clickCount);
    void openEditor(model::Selectable& textRect, const graphics::Rect& viewRect);
    void closeEditor();
    void placeEmptyLabel();
    void showSelectedFont();
    void changeFont();
    // Reads the file on the render pool; once read, its picture goes to target, or an alert says why
    // not. Nothing waits for it.
    void readDroppedFile(model::ImageDroppable& target, const QUrl& url);
    // Takes the files read since the last call.
    void takeDroppedFiles();

    QPointer<model::DocumentSelection> m_documentSelection;
    QPointer<FontManager> m_fontManager;
    std::vector<std::unique_ptr<tessaline::Observer>> m_drawableObservers;
    std::unique_ptr<CanvasViewRendering> m_renderer;
    model::CanvasRenderer m_canvasRenderer;
    DecodingPictures m_pictures;
    QPointer<tessaline::MarkupLabel> m_emptyLabel;
    std::shared_ptr<const model::Canvas> m_canvas;
    bool m_needsRendering = false;
    QPointer<CaptionEditor> m_editor;
    WeakReference<model::Selectable> m_selection;
    CanvasOverlay* m_overlay = nullptr;
    std::optional<graphics::Image> m_contents;
    foundation::CoalescedPerform m_renderPerform;
    foundation::CoalescedPerform m_layoutPerform;
    // Dropped files still being read, by the number of their drop, and by target the number of the
    // latest drop on it, so that an earlier drop whose file takes longer to read does not replace a later
    // one.
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
    std::shared_ptr<model::PoolMailbox<ReadDrop>> m_readDrops;
};

} // namespace pelorama::canvas
