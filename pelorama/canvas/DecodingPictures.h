#pragma once

#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/PictureCache.h"

#include <QObject>
#include <QSet>
#include <QString>

namespace pelorama::canvas {

// Keeps the canvas view from waiting for pictures to be decoded: a render whose pictures the view's
// PictureCache does not keep yet asks for them on the render pool and draws them as pending (nothing where
// they go); once one is decoded, pictureArrived asks for another render, which shows it. A picture asked
// for once that still is not kept when it is drawn again (one larger than the cache takes) is decoded by
// that render itself, so a view never waits for ever. Main thread only.
class DecodingPictures : public QObject
{
    Q_OBJECT

public:
    explicit DecodingPictures(model::PictureCache& pictures, QObject* parent = nullptr);

    // canvas, with the pictures that are not decoded yet pending and asked for; complete when none is.
    struct Prepared
    {
        model::DetachedCanvas canvas;
        bool complete = true;
    };
    Prepared prepared(const model::DetachedCanvas& canvas);
    // For a new canvas: its pictures are asked for again when they are not kept.
    void reset() { m_asked.clear(); }

signals:
    void pictureArrived();

private:
    model::PictureReference prepared(const model::PictureReference& picture);

    model::PictureCache& m_cache;
    QSet<QString> m_asked; // by SHA-1
    bool m_waiting = false;
};

} // namespace pelorama::canvas
