#include "model/DeviceFrameCache.h"

#include "foundation/Diagnostics.h"
#include "model/CryptoPngRep.h"
#include "resources/DeviceResources.h"

#include <QFile>
#include <QMutexLocker>

namespace pelorama::model {

DeviceFrameCache::DeviceFrameCache(Loader loader, SizeLoader sizeLoader)
    : m_loader(std::move(loader))
    , m_sizeLoader(std::move(sizeLoader))
{}

DeviceFrameCache& DeviceFrameCache::shared()
{
    static DeviceFrameCache cache(&loadFromResources, &sizeFromResources);
    return cache;
}

std::optional<graphics::Size> DeviceFrameCache::sizeFromResources(const QString& identifier)
{
    resources::initialize();
    QFile file(resources::deviceFramePath(identifier));
    if (!file.exists())
        return std::nullopt;
    std::optional<graphics::Size> size;
    if (file.open(QIODevice::ReadOnly))
        size = CryptoPngRep::pixelSize(file.readAll());
    if (!size)
        throw LoadFailure(QStringLiteral("the header of the device frame %1 could not be read")
                              .arg(identifier)
                              .toStdString());
    return size;
}

std::shared_ptr<const graphics::Image> DeviceFrameCache::loadFromResources(const QString& identifier)
{
    resources::initialize();
    // Every catalogue variant has its frame in a sound build; a missing one is worth a line.
    QFile file(resources::deviceFramePath(identifier));
    if (!file.exists()) {
        foundation::warning(QStringLiteral("no device frame named %1 among the resources").arg(identifier));
        return nullptr;
    }
    std::optional<graphics::BitmapImageRep> rep;
    if (file.open(QIODevice::ReadOnly))
        rep = CryptoPngRep::fromData(file.readAll());
    // Decoding fails also for want of memory, so it is tried again at the next request.
    if (!rep)
        throw LoadFailure(
            QStringLiteral("the device frame %1 could not be opened").arg(identifier).toStdString());
    auto image = std::make_shared<graphics::Image>(rep->size());
    image->addRepresentation(*rep);
    return image;
}

std::shared_ptr<const graphics::Image> DeviceFrameCache::frame(const QString& identifier)
{
    std::promise<std::shared_ptr<const graphics::Image>> promise;
    Entry entry;
    {
        QMutexLocker locker(&m_mutex);
        const auto found = m_entries.find(identifier);
        if (found != m_entries.end()) {
            entry = found->second;
            locker.unlock();
            return entry.get();
        }
        entry = promise.get_future().share();
        m_entries.emplace(identifier, entry);
    }
    // Loaded outside the lock, so other frames load meanwhile; callers for this one wait on the future.
    try {
        promise.set_value(m_loader(identifier));
    } catch (...) {
        // The callers waiting now hear of the failure; later ones load again.
        {
            QMutexLocker locker(&m_mutex);
            m_entries.erase(identifier);
        }
        promise.set_exception(std::current_exception());
    }
    return entry.get();
}

std::optional<graphics::Size> DeviceFrameCache::frameSize(const QString& identifier)
{
    {
        QMutexLocker locker(&m_mutex);
        const auto found = m_sizes.find(identifier);
        if (found != m_sizes.end())
            return found->second;
    }
    // Read outside the lock; two first readers of one size both read it, which is harmless. A loader
    // that throws leaves nothing behind.
    std::optional<graphics::Size> size;
    if (m_sizeLoader) {
        size = m_sizeLoader(identifier);
    } else if (const std::shared_ptr<const graphics::Image> picture = frame(identifier)) {
        size = picture->size();
    }
    QMutexLocker locker(&m_mutex);
    m_sizes.emplace(identifier, size);
    return size;
}

} // namespace pelorama::model
