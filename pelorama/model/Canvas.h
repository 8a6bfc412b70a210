#pragma once

#include "graphics/Image.h"
#include "graphics/Size.h"
#include "model/CanvasRenderingMode.h"

#include <QObject>
#include <QPointer>
#include <vector>

namespace pelorama::model {

class Drawable;

// What a screenshot looks like, ready to render: a size in canvas points and the drawables in drawing
// order (the first underneath; a screenshot's canvas starts with the screenshot itself, which paints the
// background). A canvas never changes; a new one is made whenever the set of drawables changes.
//
// The drawables belong to their managed object context, not to the canvas. A drawable that is a QObject
// and is destroyed while the canvas lives is skipped by later renders.
class Canvas
{
public:
    Canvas(graphics::Size size, std::vector<Drawable*> drawables);

    graphics::Size size() const { return m_size; }
    // The drawables still alive, in drawing order.
    std::vector<Drawable*> drawables() const;

    // Renders the canvas fitted into a box of boxSize output points at scale pixels per point: the
    // canvas size is aspect-fitted into the box (only the fitted size is used), a transparent bitmap of
    // the fitted size times scale (truncated to whole pixels) is made, and each drawable draws into it
    // in order under the uniform scale k = fitted width / canvas width * scale, on the calling thread.
    //
    // The result always has the fitted size in points. Its one representation holds the pixels; when the
    // fitted size is zero, not finite or too large for a bitmap, nothing is drawn and the image has no
    // representation.
    //
    // In exportImage mode a fitted size of exactly 2880 x 1880, 1536 x 2048, 2048 x 1536 or 750 x 1334
    // points is then stretched to 2880 x 1800, 2048 x 2732, 2732 x 2048 or 1242 x 2208 pixels (and
    // points), the canvas sizes of the built-in templates.
    graphics::Image render(CanvasRenderingMode mode, graphics::Size boxSize, double scale) const;

private:
    struct Entry
    {
        Drawable* drawable;
        QPointer<QObject> object; // the drawable as a QObject, when it is one
        bool isObject;
    };

    graphics::Size m_size;
    std::vector<Entry> m_entries;
};

} // namespace pelorama::model
