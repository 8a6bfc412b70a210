#pragma once

#include "graphics/Image.h"

#include <QMutex>
#include <QString>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>

namespace pelorama::model {

// Decoded device-frame pictures by variant identifier. Opening a frame costs two key derivations, a
// decryption and a PNG decode, so each is loaded once per cache and then shared: concurrent first requests
// for one frame wait for the single load instead of repeating it. Safe from any thread.
class DeviceFrameCache
{
public:
    using Loader = std::function<std::shared_ptr<const graphics::Image>(const QString& identifier)>;
    using SizeLoader = std::function<std::optional<graphics::Size>(const QString& identifier)>;

    // Without a size loader, sizes are those of the loaded frames.
    explicit DeviceFrameCache(Loader loader, SizeLoader sizeLoader = {});
    DeviceFrameCache(const DeviceFrameCache&) = delete;
    DeviceFrameCache& operator=(const DeviceFrameCache&) = delete;

    // The process's cache of the frames among the application's resources.
    static DeviceFrameCache& shared();
    // Reads the sealed frame picture named identifier from the application's resources; nullptr, and a
    // warning, when there is none or it does not open.
    static std::shared_ptr<const graphics::Image> loadFromResources(const QString& identifier);
    // The size of that frame picture, read from its header without decoding the pixels.
    static std::optional<graphics::Size> sizeFromResources(const QString& identifier);

    // The frame named identifier; nullptr when there is none, an answer that is remembered too.
    std::shared_ptr<const graphics::Image> frame(const QString& identifier);
    // The size of the frame named identifier, also remembered; none when there is no such frame. Placing
    // a device needs only this, so it does not wait for the picture to be decoded.
    std::optional<graphics::Size> frameSize(const QString& identifier);

private:
    using Entry = std::shared_future<std::shared_ptr<const graphics::Image>>;

    Loader m_loader;
    SizeLoader m_sizeLoader;
    QMutex m_mutex;
    std::map<QString, Entry> m_entries;
    std::map<QString, std::optional<graphics::Size>> m_sizes;
};

} // namespace pelorama::model
