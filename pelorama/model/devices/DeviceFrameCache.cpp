#include "model/devices/DeviceFrameCache.h"

#include "foundation/Diagnostics.h"
#include "model/devices/CryptoPngRep.h"
#include "model/devices/DeviceFamily.h"
#include "model/rendering/RenderPool.h"
#include "resources/DeviceResources.h"

#include <QFile>
#include <QMutexLocker>
#include <QThread>

namespace pelorama::model {

DeviceFrameCache::DeviceFrameCache(Loader loader)
    : m_loader(std::move(loader))
{}

namespace {

// The frame size the catalogue gives the variant named identifier; none for a name it does not have.
std::optional<graphics::Size> catalogueFrameSize(const QString& identifier)
{
    for (const DeviceFamily& family : DeviceFamily::all()) {
        if (const DeviceVariant* variant = family.findVariantWithIdentifier(identifier))
            return variant->frameSize();
    }
    return std::nullopt;
}

// The sealed picture at path, with the given size when one is given; nullptr when there is no such file.
std::shared_ptr<const graphics::Image> loadSealed(const QString& identifier, const QString& path,
                                                  std::optional<graphics::Size> size = std::nullopt)
{
    resources::initialize();
    // Every catalogue variant has its frame in a sound build; a missing one is worth a line.
    QFile file(path);
    if (!file.exists()) {
        foundation::warning(QStringLiteral("no device frame named %1 among the resources").arg(identifier));
        return nullptr;
    }
    std::optional<graphics::BitmapImageRep> rep;
    if (file.open(QIODevice::ReadOnly))
        rep = CryptoPngRep::fromData(file.readAll());
    // Decoding fails also for want of memory, so it is tried again at the next request.
    if (!rep)
        throw DeviceFrameCache::LoadFailure(
            QStringLiteral("the device frame %1 could not be opened").arg(identifier).toStdString());
    auto image = std::make_shared<graphics::Image>(size.value_or(rep->size()));
    image->addRepresentation(*rep);
    return image;
}

} // namespace

std::shared_ptr<const graphics::Image> DeviceFrameCache::loadFromResources(const QString& identifier)
{
    return loadSealed(identifier, resources::deviceFramePath(identifier));
}

std::shared_ptr<const graphics::Image> DeviceFrameCache::loadPreviewFromResources(const QString& identifier)
{
    return loadSealed(identifier, resources::deviceFramePreviewPath(identifier),
                      catalogueFrameSize(identifier));
}

std::shared_ptr<const graphics::Image> DeviceFrameCache::frameOrWarning(const QString& identifier) noexcept
{
    try {
        return frame(identifier);
    } catch (const std::exception& error) {
        foundation::warning(QStringLiteral("the device frame %1 could not be loaded (%2)")
                                .arg(identifier, QString::fromLocal8Bit(error.what())));
        return nullptr;
    }
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
        if (!renderPool().contains(QThread::currentThread())) {
            // Others wait only for a load on a thread of the render pool. Off it, Qt hands parts of the
            // picture's conversion to that pool and waits for them, which would never come if the pool's
            // threads all waited for this load in turn; this caller loads on its own instead.
            locker.unlock();
            std::shared_ptr<const graphics::Image> loaded = m_loader(identifier);
            locker.relock();
            if (m_entries.find(identifier) == m_entries.end()) {
                promise.set_value(loaded);
                m_entries.emplace(identifier, promise.get_future().share());
            }
            return loaded;
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

} // namespace pelorama::model
