#pragma once

#include "model/devices/DeviceFamily.h"

#include <QImage>

namespace frameart {

// The frame picture of a catalogue variant, with its screen exactly at the variant's screenshot rect; a
// null image for a family the generator cannot draw.
QImage drawFrame(const pelorama::model::DeviceFamily& family, const pelorama::model::DeviceVariant& variant);

} // namespace frameart
