#pragma once

#include "graphics/Image.h"
#include "graphics/Size.h"
#include "model/rendering/CanvasRenderingMode.h"
#include "model/rendering/DrawableSnapshot.h"

#include <QString>
#include <functional>
#include <vector>

namespace pelorama::model {

class Canvas;

// A canvas as it is at one moment: its size and a snapshot of each drawable, in drawing order. It keeps
// no pointer into a context and never changes, so any thread may render it while the document goes on;
// thumbnails, template previews, export and the shared clipboard image render one, and the canvas view
// takes one for every render. Taking it reads the drawables' values and copies no pixels (pictures are
// shared), so it is cheap on the main thread.
class DetachedCanvas
{
public:
    DetachedCanvas() = default;
    DetachedCanvas(graphics::Size size, std::vector<DrawableSnapshot> drawables);
    // The snapshots of canvas's drawables that are still alive, taken now on their context's queue, with
    // the captions' texts in language (a code of the document's languages; empty for the base language).
    explicit DetachedCanvas(const Canvas& canvas, const QString& language = {});

    graphics::Size size() const { return m_size; }
    const std::vector<DrawableSnapshot>& drawables() const { return m_drawables; }

    // A copy whose images and device images hold the pictures change answers for theirs.
    DetachedCanvas withPictures(const std::function<PictureReference(const PictureReference&)>& change) const;

    // As CanvasRenderer::render, through a renderer of its own: for renders that are made once (export,
    // previews, the clipboard). Callers that render again and again keep a CanvasRenderer.
    graphics::Image render(CanvasRenderingMode mode, graphics::Size boxSize, double scale) const;

    friend bool operator==(const DetachedCanvas&, const DetachedCanvas&) = default;

private:
    graphics::Size m_size;
    std::vector<DrawableSnapshot> m_drawables;
};

} // namespace pelorama::model
