#pragma once

#include "model/rendering/DrawableSnapshot.h"

#include <QString>

namespace pelorama::model {

// Everything a Canvas shows: the screenshot (its background), images, device images, text rects and
// gradients. Drawables are data: they do not draw themselves. A render takes a snapshot of each
// (DetachedCanvas) and draws the snapshots (CanvasRenderer), so a picture always shows the values of the
// moment it was taken, however they changed before: by the canvas, the inspector, undo, redo or a paste,
// shown anywhere or not.
class Drawable
{
public:
    virtual ~Drawable() = default;

    // What the drawable looks like now, as plain values any thread may draw. On the drawable's context
    // queue.
    virtual DrawableSnapshot snapshot() const = 0;
    // The same with the drawable's texts in language (a BCP 47 code of the document; empty for the base
    // language). Only captions have texts; everything else looks the same in every language.
    virtual DrawableSnapshot snapshotInLanguage(const QString& language) const
    {
        Q_UNUSED(language);
        return snapshot();
    }

protected:
    Drawable() = default;
    Drawable(const Drawable&) = default;
    Drawable& operator=(const Drawable&) = default;
};

} // namespace pelorama::model
