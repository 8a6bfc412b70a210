#pragma once

#include "graphics/AffineTransform.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"
#include "graphics/Size.h"
#include "model/entities/DeviceOrientation.h"

#include <optional>

namespace pelorama::model {

class DeviceFamily;
class DeviceVariant;

// Where a device image's frame, screen and picture go on the canvas, in canvas points with y upwards.
// The frame picture is scaled by the device's scale factor (within DrawingBounds::largestScaleFactor) and
// centred on its position; an orientable family turns it about that position, the others ignore the
// orientation.
class DeviceFrameLayout
{
public:
    DeviceFrameLayout(graphics::Size frameSize, double scaleFactor, graphics::Point position,
                      const DeviceFamily& family, const DeviceVariant& variant,
                      DeviceOrientation orientation);

    // The frame picture scaled and centred on the position, upright.
    const graphics::Rect& frameRect() const { return m_frameRect; }
    // Degrees, counter-clockwise: 0, 180, 90 or -90 for an orientable family, else 0.
    double deviceAngle() const { return m_deviceAngle; }
    // The turn about the position; the identity for an upright device.
    const graphics::AffineTransform& deviceTransform() const { return m_deviceTransform; }
    // The device's rectangle on the canvas: the frame rect turned by the device transform.
    graphics::Rect rect() const;
    // The screen of the upright frame. A turned screen covers the same area turned about its centre,
    // since orientable frames have their screen centred.
    const graphics::Rect& screenRect() const { return m_screenRect; }

    // How a picture of pictureSize fills the screen: drawn stretched into target, under transform when
    // there is one. A picture whose shape (wide or not) matches the upright screen turns with a landscape
    // device; one that does not is turned to fit an upright or upside-down device and drawn upright in a
    // landscape device. An upside-down device never turns its picture upside down.
    struct PicturePlacement
    {
        std::optional<graphics::AffineTransform> transform;
        graphics::Rect target;
    };
    PicturePlacement picturePlacement(graphics::Size pictureSize) const;

    // The orientation's angle in degrees: 0, 180, 90 and -90.
    static double angle(DeviceOrientation orientation);

private:
    graphics::Rect m_frameRect;
    graphics::Rect m_screenRect;
    graphics::Size m_screenshotSize;
    double m_deviceAngle = 0;
    graphics::AffineTransform m_deviceTransform;
    DeviceOrientation m_orientation;
    bool m_isOrientable;
};

} // namespace pelorama::model
