#include "model/devices/DeviceFrameLayout.h"

#include "model/devices/DeviceFamily.h"
#include "model/rendering/DrawingBounds.h"

#include <numbers>

namespace pelorama::model {
namespace {

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

// A turn by degrees about centre, built as translate, rotate, translate back.
graphics::AffineTransform rotationAbout(graphics::Point centre, double degrees)
{
    return graphics::AffineTransform::translation(centre.x, centre.y)
        .rotatedBy(radians(degrees))
        .translatedBy(-centre.x, -centre.y);
}

// The rectangle turned a quarter about its centre: same centre, width and height exchanged.
graphics::Rect exchanged(const graphics::Rect& rect)
{
    const double width = rect.width();
    const double height = rect.height();
    return {rect.midX() - height / 2, rect.midY() - width / 2, height, width};
}

} // namespace

DeviceFrameLayout::DeviceFrameLayout(graphics::Size frameSize, double scaleFactor, graphics::Point position,
                                     const DeviceFamily& family, const DeviceVariant& variant,
                                     DeviceOrientation orientation)
    : m_orientation(orientation)
    , m_isOrientable(family.isOrientable())
{
    // A scale factor beyond its bound draws, and is hit and framed, at the bound; the document keeps it.
    const double k = DrawingBounds::scaleFactor(scaleFactor);
    const double width = frameSize.width * k;
    const double height = frameSize.height * k;
    m_frameRect = {position.x - 0.5 * width, position.y - 0.5 * height, width, height};

    // The screenshot rect is measured from the picture's top; the canvas's y grows upwards.
    const graphics::Rect& s = variant.screenshotRect();
    m_screenshotSize = s.size;
    m_screenRect = {m_frameRect.origin.x + k * s.origin.x,
                    m_frameRect.origin.y + k * (frameSize.height - s.origin.y - s.size.height),
                    k * s.size.width, k * s.size.height};

    if (m_isOrientable && orientation != DeviceOrientation::portrait) {
        m_deviceAngle = angle(orientation);
        m_deviceTransform = rotationAbout(position, m_deviceAngle);
    }
}

double DeviceFrameLayout::angle(DeviceOrientation orientation)
{
    switch (orientation) {
    case DeviceOrientation::portrait:
        return 0;
    case DeviceOrientation::portraitUpsideDown:
        return 180;
    case DeviceOrientation::landscapeLeft:
        return 90;
    case DeviceOrientation::landscapeRight:
        return -90;
    }
    return 0;
}

graphics::Rect DeviceFrameLayout::rect() const
{
    return m_deviceTransform.isIdentity() ? m_frameRect : m_frameRect.applying(m_deviceTransform);
}

DeviceFrameLayout::PicturePlacement DeviceFrameLayout::picturePlacement(graphics::Size pictureSize) const
{
    if (!m_isOrientable)
        return {std::nullopt, m_screenRect};
    const graphics::Point centre{m_screenRect.midX(), m_screenRect.midY()};
    const bool pictureIsWide = pictureSize.width > pictureSize.height;
    const bool screenIsWide = m_screenshotSize.width > m_screenshotSize.height;
    if (pictureIsWide == screenIsWide) {
        switch (m_orientation) {
        case DeviceOrientation::portrait:
        case DeviceOrientation::portraitUpsideDown:
            return {std::nullopt, m_screenRect};
        case DeviceOrientation::landscapeLeft:
            return {rotationAbout(centre, 90), m_screenRect};
        case DeviceOrientation::landscapeRight:
            return {rotationAbout(centre, -90), m_screenRect};
        }
    }
    switch (m_orientation) {
    case DeviceOrientation::portrait:
        return {rotationAbout(centre, -90), exchanged(m_screenRect)};
    case DeviceOrientation::portraitUpsideDown:
        return {rotationAbout(centre, 90), exchanged(m_screenRect)};
    case DeviceOrientation::landscapeLeft:
    case DeviceOrientation::landscapeRight:
        return {std::nullopt, exchanged(m_screenRect)};
    }
    return {std::nullopt, m_screenRect};
}

} // namespace pelorama::model
