#pragma once

#include "canvas/CanvasMapping.h"
#include "canvas/CanvasViewRendering.h"
#include "canvas/RevisionFollower.h"
#include "canvas/WeakReference.h"
#include "foundation/CoalescedPerform.h"
#include "graphics/Image.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class QMimeData;

namespace tessaline {
class MarkupLabel;
} // namespace tessaline

namespace pelorama::model {
class Canvas;
class Drawable;
class ImageDroppable;
class Screenshot;
class Selectable;
} // namespace pelorama::model

namespace pelorama::canvas {

class CanvasImageDrops;
class CanvasOverlay;
class CaptionEditing;
class CaptionEditor;
class CanvasRenderScheduler;
class EmptyCanvasLabel;

// Where the user edits a screenshot: shows its canvas, rendered again whenever a drawable changes, frames
// the selection and what the pointer is over, and passes on what its parts do: captions edited in place
// (CaptionEditing) and image files dropped on pictures (CanvasImageDrops).
//
// Rendering is deferred and off the main thread: new revisions (RevisionFollower) only set
// needsRendering, and one render follows on the next pass of the event loop however many changes came
// before it, drawn on a thread of the view's own (CanvasRenderScheduler); the last picture stays shown
// until the next one arrives. The picture reaches the screen through a renderer chosen once
// (CanvasViewRendering::choose).
//
// It announces by signals what its owner may follow: selection changes and every render. Whoever shows a
// document in it binds the document's selection to it (DocumentSelectionBinding) and its window's font
// panel (CaptionFontLink).
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

    const std::shared_ptr<const model::Canvas>& canvas() const { return m_canvas; }
    // Shows canvas (none shows the empty label): commits and closes the caption editor, follows the
    // revision of the screenshot it shows (RevisionFollower), clears the selection and schedules a render.
    void setCanvas(std::shared_ptr<const model::Canvas> canvas);

    // The language the captions show and are edited in: a code of the document's languages, empty for
    // the base language. Another one commits an open editor into the language it was opened in and
    // renders again.
    const QString& language() const { return m_language; }
    void setLanguage(const QString& language);

    // Whether what the view shows is yet to catch up with its canvas: a render is asked for or running,
    // the one shown leaves out pictures still being decoded, or the context has yet to report changes,
    // which may be of the canvas.
    bool needsRendering() const;
    // Going from false to true schedules one render on the next pass of the event loop; false drops a
    // render asked for and not started.
    void setNeedsRendering(bool needsRendering);
    // Starts a render: a snapshot of the canvas taken now in the language, with the pictures not decoded
    // yet left out until they are (DecodingPictures), so that showing a screenshot never waits for its
    // pictures. It is drawn on the view's render thread in canvasView mode into the view's bounds at
    // scale 2 by the view's own model::CanvasRenderer, which keeps what it laid out for the next render,
    // and shown when it arrives. Nothing without a canvas; while a render runs, the next one starts when
    // it ends. See willRender and didRender for what is announced.
    void renderCanvas();

    CanvasViewRendering& renderer() const { return *m_renderer; }
    // The label shown while no canvas is set.
    tessaline::MarkupLabel* emptyLabel() const;
    // The screenshot whose revision the view follows: its canvas's, none without one.
    model::Screenshot* followedScreenshot() const { return m_revisions.screenshot(); }

    // The raster renderer's picture, painted fitted and centred on white; none paints white only. An
    // opaque picture (no pixel of it lets the white through) is painted without the white underneath.
    const std::optional<graphics::Image>& contents() const { return m_contents; }
    void setContents(std::optional<graphics::Image> contents, bool opaque = false);
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
    // Frames selection (none hides the frame) and emits selectionChanged; every assignment does so, also
    // of the same value.
    void setSelection(model::Selectable* selection);

    // The overlays' frames in view points; none while hidden.
    std::optional<graphics::Rect> selectionFrame() const;
    std::optional<graphics::Rect> highlightFrame() const;

    // The caption editor while one is open.
    CaptionEditor* editor() const;
    // Writes the editor's text into its caption, then closes it; nothing when none is open.
    void commitEditing();

    // Layout, which moves the selection frame onto the selection, runs on the next pass of the event
    // loop once requested.
    bool needsLayout() const { return m_layoutPerform.isPending(); }
    void setNeedsLayout() { m_layoutPerform.request(); }

signals:
    // After every assignment of the selection, also to none; drawable is null when there is no selection
    // or the selection is no Drawable.
    void selectionChanged(pelorama::model::Drawable* drawable);
    // In pairs, with the same canvas: every willRender is followed by exactly one didRender.
    // willRender comes as a render of the canvas starts. didRender comes once a render of it with every
    // picture in it is shown: a render drawn while pictures were still being decoded is shown but not
    // announced, and the render that follows their decoding (announced by no willRender of its own) is
    // the one didRender reports. When the canvas is replaced or taken away first, didRender comes as the
    // view gives the render up (as the new canvas is assigned, or as a render still running ends) and
    // nothing of it is shown. A slot of willRender may assign another canvas, or none: didRender follows
    // at once, and the new canvas's render is announced on its own.
    void willRender(const pelorama::model::Canvas& canvas);
    void didRender(const pelorama::model::Canvas& canvas);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void canvasDidChange();
    void layout();
    void mouseDown(const QPointF& position, int clickCount);

    RevisionFollower m_revisions;
    std::unique_ptr<CanvasViewRendering> m_renderer;
    std::unique_ptr<CanvasRenderScheduler> m_rendering;
    EmptyCanvasLabel* m_emptyLabel = nullptr;
    std::shared_ptr<const model::Canvas> m_canvas;
    QString m_language;
    WeakReference<model::Selectable> m_selection;
    CanvasOverlay* m_overlay = nullptr;
    std::optional<graphics::Image> m_contents;
    bool m_contentsOpaque = false;
    foundation::CoalescedPerform m_layoutPerform;
    std::unique_ptr<CaptionEditing> m_editing;
    std::unique_ptr<CanvasImageDrops> m_drops;
};

} // namespace pelorama::canvas
