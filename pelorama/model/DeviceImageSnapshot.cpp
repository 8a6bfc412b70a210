#include "model/DeviceImageSnapshot.h"

#include "model/DeviceImage.h"

namespace pelorama::model {

DeviceImageSnapshot DeviceImageSnapshot::of(const DeviceImage& deviceImage)
{
    return {deviceImage.position(),      deviceImage.scaleFactor(),    deviceImage.orientation(),
            &deviceImage.deviceFamily(), &deviceImage.deviceVariant(), ShadowSettings::of(deviceImage),
            deviceImage.image()};
}

QStringList DeviceImageSnapshot::sourceKeys()
{
    return QStringList{QStringLiteral("position"), QStringLiteral("deviceVariant"),
                       QStringLiteral("orientation"), QStringLiteral("scaleFactor")} +
           Shadowable::shadowKeys() + QStringList{QStringLiteral("image")};
}

} // namespace pelorama::model
