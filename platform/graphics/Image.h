#pragma once

#include "graphics/BitmapImageRep.h"
#include "graphics/CompositingOperation.h"
#include "graphics/Rect.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace graphics {

class GraphicsContext;

// A picture: a size in points and one or more bitmap representations of it. Images read from data or
// files have one representation and a size in points equal to its pixel size. Its coordinate space is
// y-up with the origin at the bottom left, in points.
class Image
{
public:
    // An empty image: no size, no representation; it draws nothing.
    Image() = default;
    explicit Image(Size size)
        : m_size(size)
    {}
    // One representation of the pixels; the size is their pixel size.
    explicit Image(const QImage& pixels);

    // Decodes data through the ImageDecoderRegistry; no value when no decoder reads it.
    static std::optional<Image> fromData(const QByteArray& data);
    // Reads a file (Qt resource paths included); no value when it cannot be read or decoded.
    static std::optional<Image> fromFile(const QString& path);
    // The image called name among the application's resources (":/images/" and ":/"), with or without an
    // extension; the extensions of the decoder registry are tried in order. Each name is loaded once per
    // process and shared by every caller (first requests on and off Qt's pool at once may load it twice);
    // a name that finds nothing answers nullptr, also once.
    static std::shared_ptr<const Image> named(const QString& name);

    Size size() const { return m_size; }
    void setSize(Size size) { m_size = size; }
    const std::vector<BitmapImageRep>& representations() const { return m_representations; }
    void addRepresentation(const BitmapImageRep& representation)
    {
        m_representations.push_back(representation);
    }
    bool isEmpty() const { return m_representations.empty(); }

    // The representation to draw at a device size in pixels: the smallest one at least that large, or
    // else the largest; nullptr for an image without representations.
    const BitmapImageRep* bestRepresentation(double pixelsWide, double pixelsHigh) const;
    // PNG data of the first representation; empty without one.
    QByteArray pngData() const;

    // Draws the part source (in the image's space; the zero rectangle means the whole image) into
    // destination, upright, with the operation and the opacity fraction.
    void draw(GraphicsContext& context, const Rect& destination, const Rect& source = Rect::zero(),
              CompositingOperation operation = CompositingOperation::sourceOver, double fraction = 1) const;

    friend bool operator==(const Image&, const Image&) = default;

private:
    Size m_size;
    std::vector<BitmapImageRep> m_representations;
};

} // namespace graphics

Q_DECLARE_METATYPE(graphics::Image)
