#pragma once

#include "graphics/Size.h"

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
    // context's queue, and renders the previews on threadCount threads of its own while
    // the building goes on; each template's previewImage is set from the thread that rendered it. Returns
    // when every preview is set; nothing is saved or written anywhere.
    //
    // Renders never touch the context: for each screenshot the queue takes a snapshot of its canvas
    // (model::DetachedCanvas), and the render draws that.
    static void render(const std::vector<Template*>& templates, int threadCount);
};

} // namespace pelorama::templates
