#pragma once

#include "graphics/Image.h"

#include <QMutex>
#include <QString>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>

namespace pelorama::model {

// Decoded device-frame pictures by variant identifier. Opening a frame costs two key derivations, a
// decryption and a PNG decode, so each is loaded once per cache and then shared: concurrent first requests
// for one frame wait for a load under way on the render pool instead of repeating it (a load elsewhere is
// waited for by nobody, see frame()). Safe from any thread.
//
// Placing a device needs no picture: its frame's size is catalogue data (DeviceVariant::frameSize).
//
// Loaders answer nullptr for a frame the resources do not have, which is remembered, and throw for a load
// that failed otherwise (a frame that does not open, std::bad_alloc, ...), which is not: the callers waiting
// for that load get the exception, and the next request loads again.
class DeviceFrameCache
{
public:
    using Loader = std::function<std::shared_ptr<const graphics::Image>(const QString& identifier)>;

    // A frame among the resources that could not be opened.
    class LoadFailure : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    explicit DeviceFrameCache(Loader loader);
    DeviceFrameCache(const DeviceFrameCache&) = delete;
    DeviceFrameCache& operator=(const DeviceFrameCache&) = delete;

    // Reads the sealed frame picture named identifier from the application's resources; nullptr, and a
    // warning, when there is none. Throws LoadFailure when it does not open.
    static std::shared_ptr<const graphics::Image> loadFromResources(const QString& identifier);
    // As loadFromResources, the small preview picture of the frame, sized as the full frame.
    static std::shared_ptr<const graphics::Image> loadPreviewFromResources(const QString& identifier);

    // The frame named identifier; nullptr when there is none. Throws what the loader threw.
    std::shared_ptr<const graphics::Image> frame(const QString& identifier);
    // As frame, for drawing: nullptr, with a warning, also when the frame fails to load this time (a later
    // call tries again).
    std::shared_ptr<const graphics::Image> frameOrWarning(const QString& identifier) noexcept;

private:
    using Entry = std::shared_future<std::shared_ptr<const graphics::Image>>;

    Loader m_loader;
    QMutex m_mutex;
    std::map<QString, Entry> m_entries;
};

} // namespace pelorama::model
