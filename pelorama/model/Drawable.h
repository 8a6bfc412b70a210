#pragma once

#include "model/DrawableSnapshot.h"

#include <QString>
#include <QStringList>

namespace pelorama::model {

class Canvas;
struct CanvasRenderingContext;

// Everything a Canvas draws: the screenshot (its background), images, device images, text rects and
// gradients. Every drawable of the document is an entity, so its keys can be observed.
class Drawable
{
public:
    virtual ~Drawable() = default;

    // Draws into context's graphics context in canvas points (see CanvasRenderingContext). Reports no
    // failure: a drawable that cannot draw something draws less.
    virtual void draw(const Canvas& canvas, const CanvasRenderingContext& context) = 0;

    // The key paths whose changes need a new render; the canvas view observes each of them.
    virtual QStringList keypathsTriggeringRedraw() const = 0;

    // Sent by the canvas view with the changed key path before it renders again; drawables may let go
    // here of what they cached for that key. Drawing never relies on it: undo, redo, pastes and edits
    // made while no canvas view shows the drawable change it without this call, so every cache is kept
    // with the values it was made from and made again when they differ.
    virtual void prepareForRedrawAfterChangingWithKeyPath(const QString& keyPath) = 0;

    // What the drawable looks like now, as plain values any thread may draw.
    virtual DrawableSnapshot snapshot() const = 0;

protected:
    Drawable() = default;
    Drawable(const Drawable&) = default;
    Drawable& operator=(const Drawable&) = default;
};

} // namespace pelorama::model
