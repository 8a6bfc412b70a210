#pragma once

#include "graphics/Image.h"

#include <QMutex>
#include <QString>
#include <functional>
#include <future>
#include <map>
#include <memory>

namespace pelorama::model {

// Decoded device-frame pictures by variant identifier. Opening a frame costs two key derivations, a
// decryption and a PNG decode, so each is loaded once per cache and then shared: concurrent first requests
// for one frame wait for the single load instead of repeating it. Safe from any thread.
class DeviceFrameCache
{
public:
    using Loader = std::function<std::shared_ptr<const graphics::Image>(const QString& identifier)>;

    explicit DeviceFrameCache(Loader loader);
    DeviceFrameCache(const DeviceFrameCache&) = delete;
    DeviceFrameCache& operator=(const DeviceFrameCache&) = delete;

    // The process's cache of the frames among the application's resources.
    static DeviceFrameCache& shared();
    // Reads the sealed frame picture named identifier from the application's resources; nullptr, and a
    // warning, when there is none or it does not open.
    static std::shared_ptr<const graphics::Image> loadFromResources(const QString& identifier);

    // The frame named identifier; nullptr when there is none, an answer that is remembered too.
    std::shared_ptr<const graphics::Image> frame(const QString& identifier);

private:
    using Entry = std::shared_future<std::shared_ptr<const graphics::Image>>;

    Loader m_loader;
    QMutex m_mutex;
    std::map<QString, Entry> m_entries;
};

} // namespace pelorama::model
