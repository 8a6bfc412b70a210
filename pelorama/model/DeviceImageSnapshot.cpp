#include "model/DeviceImageSnapshot.h"

#include "model/DeviceImage.h"

namespace pelorama::model {

DeviceImageSnapshot DeviceImageSnapshot::of(const DeviceImage& deviceImage)
{
    return {deviceImage.position(),
            deviceImage.scaleFactor(),
            deviceImage.orientation(),
            &deviceImage.deviceFamily(),
            &deviceImage.deviceVariant(),
            ShadowSettings::of(deviceImage),
            deviceImage.image()};
}

QStringList DeviceImageSnapshot::sourceKeys()
{
    return {QStringLiteral("position"),       QStringLiteral("deviceVariant"),
            QStringLiteral("orientation"),    QStringLiteral("scaleFactor"),
            QStringLiteral("shadowType"),     QStringLiteral("shadowAngle"),
            QStringLiteral("shadowDepth"),    QStringLiteral("shadowDistance"),
            QStringLiteral("shadowBlurRadius"), QStringLiteral("shadowColor"),
            QStringLiteral("image")};
}

} // namespace pelorama::model
