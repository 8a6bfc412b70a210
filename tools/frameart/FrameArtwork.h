#pragma once

#include "model/devices/DeviceFamily.h"

#include <QImage>

namespace frameart {

// The frame picture of a catalogue variant, of the variant's frame size, with its screen exactly at the
// variant's screenshot rect; a null image for a family the generator cannot draw, or a screen that does
// not fit the frame (or, for a device that turns, is not centred in it).
QImage drawFrame(const pelorama::model::DeviceFamily& family, const pelorama::model::DeviceVariant& variant);

} // namespace frameart
