#pragma once

#include "graphics/Size.h"
#include "model/rendering/RenderPool.h"

#include <QFuture>
#include <QThreadPool>
#include <vector>

namespace pelorama::templates {

class Template;

// Renders the pictures of templates for the picker.
class TemplatePreviewRenderer
{
public:
    // Previews fit the canvas into this box, in points, at this many pixels per point.
    static constexpr graphics::Size boxSize{200, 200};
    static constexpr double pixelScale = 2;

    // Builds the screenshot of each template, in order, into a throw-away in-memory store on its private
    // context's queue, and renders the previews while the building goes on; each template's previewImage
    // is set from the thread that rendered it. Returns at once; the future finishes once every preview is
    // set. Nothing is saved or written anywhere.
    //
    // The building and each render are jobs of pool, and none waits for another: renders never touch the
    // context, for each screenshot the queue takes a detached copy of its canvas's drawables
    // (model::DetachedCanvas), and the render draws that.
    static QFuture<void> render(std::vector<Template*> templates, QThreadPool& pool = model::renderPool());
};

} // namespace pelorama::templates
