#pragma once

#include "foundation/CoalescedPerform.h"
#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/CanvasRenderer.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace store {
struct ObjectChanges;
} // namespace store

namespace pelorama::canvas {

// The small picture of one screenshot in a row of the screenshot list: the screenshot rendered in
// thumbnail mode into 150 x 100 points at scale 2, shown fitted 6 points inside the view on a black
// backing, with a white 1-point border and a soft shadow below. Renders are always deferred to a later
// pass of the event loop.
//
// The picture follows the model by itself: whenever the screenshot's context reports changes of the
// screenshot or of a drawable on it (edits, undo, redo, pastes, whether or not the screenshot is shown
// anywhere else), one render follows on a later pass. Main thread only.
class ScreenshotThumbnailView : public QWidget
{
    Q_OBJECT

public:
    static constexpr double inset = 6;

    explicit ScreenshotThumbnailView(QWidget* parent = nullptr);

    model::Screenshot* screenshot() const { return m_screenshot; }
    // Schedules a render of the new screenshot; none keeps the last picture shown.
    void setScreenshot(model::Screenshot* screenshot);

    // The last thumbnail rendered.
    const std::optional<graphics::Image>& image() const { return m_image; }
    void setImage(std::optional<graphics::Image> image);

    // Schedules a render when a screenshot is set; requests before it runs make one render.
    Q_INVOKABLE void updateImage();
    // Renders the screenshot's thumbnail now.
    Q_INVOKABLE void renderThumbnail();

    // Where the picture and its border are drawn, in the view's coordinates: the view's bounds inset by
    // 6 points, the picture's size fitted into them, rounded outwards to whole points. Set at layout
    // while there is a picture; kept as it was while there is none.
    const std::optional<graphics::Rect>& imageFrame() const { return m_imageFrame; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layout();
    void scheduleRender();
    void modelDidChange(const store::ObjectChanges& changes);
    QImage composed(double pixelRatio) const;

    QPointer<model::Screenshot> m_screenshot;
    QMetaObject::Connection m_contextConnection;
    foundation::CoalescedPerform m_updatePerform;
    // Keeps what it laid out, so that the next thumbnail of an unchanged caption lays out nothing.
    model::CanvasRenderer m_renderer;
    std::optional<graphics::Image> m_image;
    std::optional<graphics::Rect> m_imageFrame;
    // What paintEvent shows, remade when the picture, the frame or the pixel ratio change.
    QImage m_composed;
    QSize m_composedSize;
};

} // namespace pelorama::canvas
