#pragma once

#include "graphics/Image.h"
#include "ledgerline/core/Property.h"

#include <QByteArray>
#include <functional>
#include <optional>

namespace ledgerline {

// A row holding a picture (a graphics::Image, or nil for none). The image-data handler is the one way the
// bytes of a picture the user puts into the row reach the bound object, which keeps them alongside the
// decoded image that reaches it through the binding.
class ImageProperty : public Property
{
    Q_OBJECT

public:
    using ImageDataHandler = std::function<void(const QByteArray& data)>;

    explicit ImageProperty(const std::optional<graphics::Image>& defaultValue = std::nullopt);

    // The shown picture; no value when the value is nil or no picture.
    std::optional<graphics::Image> image() const;

    const ImageDataHandler& imageDataHandler() const { return m_imageDataHandler; }
    void setImageDataHandler(ImageDataHandler handler) { m_imageDataHandler = std::move(handler); }

    // Takes the bytes of a picture file the user dropped or chose: decodes them, shows the image (which
    // the binding hands on to the bound object) and then passes the bytes to the image-data handler.
    // Answers false, changing nothing and calling nothing, when the bytes are no picture.
    [[nodiscard]] bool putImageData(const QByteArray& data);
    // The same for a picture already decoded from data, which is not decoded again; image and data are
    // passed on as they are, so the bound object keeps the same pixels and bytes, not copies.
    void putImage(const graphics::Image& image, const QByteArray& data);

private:
    ImageDataHandler m_imageDataHandler;
};

} // namespace ledgerline
