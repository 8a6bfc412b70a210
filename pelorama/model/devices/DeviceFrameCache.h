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
// Loaders answer nullptr (or no size) for a frame the resources do not have, which is remembered, and
// throw for a load that failed otherwise (a frame that does not open, std::bad_alloc, ...), which is not:
// the callers waiting for that load get the exception, and the next request loads again.
class DeviceFrameCache
{
public:
    using Loader = std::function<std::shared_ptr<const graphics::Image>(const QString& identifier)>;
    using SizeLoader = std::function<std::optional<graphics::Size>(const QString& identifier)>;

    // A frame among the resources that could not be opened.
    class LoadFailure : public std::runtime_error
    {
    public:
        using std::runtime_error::runtime_error;
    };

    // Without a size loader, sizes are those of the loaded frames.
    explicit DeviceFrameCache(Loader loader, SizeLoader sizeLoader = {});
    DeviceFrameCache(const DeviceFrameCache&) = delete;
    DeviceFrameCache& operator=(const DeviceFrameCache&) = delete;

    // The process's cache of the frames among the application's resources.
    static DeviceFrameCache& shared();
    // The process's cache of the frames template previews draw: each frame drawn small, with the size of
    // the full frame, so a device is placed and traced as with the full one.
    static DeviceFrameCache& sharedPreviews();
    // Reads the sealed frame picture named identifier from the application's resources; nullptr, and a
    // warning, when there is none. Throws LoadFailure when it does not open.
    static std::shared_ptr<const graphics::Image> loadFromResources(const QString& identifier);
    // As loadFromResources, the small preview picture of the frame, sized as the full frame.
    static std::shared_ptr<const graphics::Image> loadPreviewFromResources(const QString& identifier);
    // The size of that frame picture, read from its header without decoding the pixels; none when there
    // is no such frame. Throws LoadFailure when the header does not open.
    static std::optional<graphics::Size> sizeFromResources(const QString& identifier);

    // The frame named identifier; nullptr when there is none. Throws what the loader threw.
    std::shared_ptr<const graphics::Image> frame(const QString& identifier);
    // As frame, for drawing: nullptr, with a warning, also when the frame fails to load this time (a later
    // call tries again).
    std::shared_ptr<const graphics::Image> frameOrWarning(const QString& identifier) noexcept;
    // The size of the frame named identifier; none when there is no such frame. Placing a device needs
    // only this, so it does not wait for the picture to be decoded. Throws what the loader threw.
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
