#pragma once

#include "graphics/Size.h"

#include <QObject>
#include <QPointer>
#include <vector>

namespace pelorama::model {

class Drawable;

// What a screenshot shows: a size in canvas points and the drawables in drawing order (the first
// underneath; a screenshot's canvas starts with the screenshot itself, which paints the background). A
// canvas never changes; a new one is made whenever the set of drawables changes. The canvas view observes
// and hit-tests its drawables; to render it, take its snapshot (DetachedCanvas).
//
// The drawables belong to their managed object context, not to the canvas. A drawable that is a QObject
// and is destroyed while the canvas lives is left out of its drawables from then on.
class Canvas
{
public:
    Canvas(graphics::Size size, const std::vector<Drawable*>& drawables);

    graphics::Size size() const { return m_size; }
    // The drawables still alive, in drawing order.
    std::vector<Drawable*> drawables() const;

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
