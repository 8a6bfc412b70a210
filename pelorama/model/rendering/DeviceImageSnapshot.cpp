#include "model/rendering/DeviceImageSnapshot.h"

#include "model/entities/DeviceImage.h"

namespace pelorama::model {

DeviceImageSnapshot DeviceImageSnapshot::of(const DeviceImage& deviceImage)
{
    return {deviceImage.position(),        deviceImage.scaleFactor(),    deviceImage.orientation(),
            &deviceImage.deviceFamily(),   &deviceImage.deviceVariant(), ShadowSettings::of(deviceImage),
            deviceImage.pictureReference()};
}

} // namespace pelorama::model
