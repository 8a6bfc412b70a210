#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>
#include <vector>

namespace pelorama::model {
class DetachedCanvas;
} // namespace pelorama::model

// A screenshot's exported picture: its canvas rendered in export mode at scale 1, so one canvas point
// becomes one pixel, and encoded as PNG. Reads only the detached canvas, so any thread may make it.
namespace pelorama::model::ExportPicture {

// The pixels of canvas's export: empty when it makes no bitmap (a zero size, say).
QImage render(const DetachedCanvas& canvas);

// The PNG file of each of canvases in turn, handed to each with the canvas's index; empty for a canvas
// that makes no picture. The drawables the canvases begin with alike (a screenshot's in each of its
// languages) are drawn once, and the strips of the picture they share are compressed once.
void encodeEach(const std::vector<DetachedCanvas>& canvases,
                const std::function<void(std::size_t, const QByteArray&)>& each);

} // namespace pelorama::model::ExportPicture
