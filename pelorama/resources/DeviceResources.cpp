#include "resources/DeviceResources.h"

#include <mutex>

// Q_INIT_RESOURCE must be used outside any namespace, the anonymous one included. Calling it makes the
// linker keep the compiled resources of this static library.
static void initializeDeviceResources()
{
    Q_INIT_RESOURCE(devices);
}

namespace pelorama::resources {

void initialize()
{
    static std::once_flag done;
    std::call_once(done, initializeDeviceResources);
}

QString deviceFramePath(const QString& identifier)
{
    return QStringLiteral(":/images/") + identifier + QStringLiteral(".ccc");
}

QString deviceFramePreviewPath(const QString& identifier)
{
    return QStringLiteral(":/images/") + identifier + QStringLiteral(".preview.ccc");
}

} // namespace pelorama::resources
