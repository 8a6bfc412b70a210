#include "graphics/Image.h"

#include "graphics/GraphicsContext.h"
#include "graphics/ImageDecoderRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QThreadPool>
#include <future>
#include <map>

namespace graphics {
namespace {

struct NamedImageCache
{
    QMutex mutex;
    std::map<QString, std::shared_future<std::shared_ptr<const Image>>> entries;
};

NamedImageCache& namedImageCache()
{
    static NamedImageCache cache;
    return cache;
}

std::shared_ptr<const Image> loadNamed(const QString& name)
{
    const QStringList directories{QStringLiteral(":/images/"), QStringLiteral(":/")};
    QStringList candidates;
    for (const QString& directory : directories) {
        candidates.append(directory + name);
        for (const QString& extension : ImageDecoderRegistry::fileExtensions()) {
            candidates.append(directory + name + QLatin1Char('.') + extension);
        }
    }
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile()) {
            continue;
        }
        if (std::optional<Image> image = Image::fromFile(path)) {
            return std::make_shared<const Image>(std::move(*image));
        }
    }
    return nullptr;
}

} // namespace

Image::Image(const QImage& pixels)
{
    if (pixels.isNull()) {
        return;
    }
    m_representations.emplace_back(pixels);
    m_size = m_representations.front().size();
}

std::optional<Image> Image::fromData(const QByteArray& data)
{
    std::optional<BitmapImageRep> rep = ImageDecoderRegistry::decode(data);
    if (!rep) {
        return std::nullopt;
    }
    Image image(rep->size());
    image.addRepresentation(*rep);
    return image;
}

std::optional<Image> Image::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    std::optional<BitmapImageRep> rep =
        ImageDecoderRegistry::decode(file.readAll(), QFileInfo(path).suffix());
    if (!rep) {
        return std::nullopt;
    }
    Image image(rep->size());
    image.addRepresentation(*rep);
    return image;
}

std::shared_ptr<const Image> Image::named(const QString& name)
{
    NamedImageCache& cache = namedImageCache();
    std::promise<std::shared_ptr<const Image>> promise;
    std::shared_future<std::shared_ptr<const Image>> future;
    {
        QMutexLocker locker(&cache.mutex);
        auto found = cache.entries.find(name);
        if (found != cache.entries.end()) {
            future = found->second;
        } else if (!QThreadPool::globalInstance()->contains(QThread::currentThread())) {
            // Others wait only for a load on a thread of Qt's pool. Off it, Qt hands parts of the
            // picture's conversion to that pool and waits for them, which would never come if the pool's
            // threads all waited for this load in turn; this caller loads on its own instead.
            locker.unlock();
            std::shared_ptr<const Image> loaded = loadNamed(name);
            locker.relock();
            if (cache.entries.find(name) == cache.entries.end()) {
                promise.set_value(loaded);
                cache.entries.emplace(name, promise.get_future().share());
            }
            return loaded;
        } else {
            future = promise.get_future().share();
            cache.entries.emplace(name, future);
            locker.unlock();
            // Loaded outside the lock; other callers asking for this name wait on the future.
            promise.set_value(loadNamed(name));
        }
    }
    return future.get();
}

const BitmapImageRep* Image::bestRepresentation(double pixelsWide, double pixelsHigh) const
{
    const BitmapImageRep* best = nullptr;
    const BitmapImageRep* largest = nullptr;
    for (const BitmapImageRep& rep : m_representations) {
        const qint64 area = qint64(rep.pixelsWide()) * rep.pixelsHigh();
        if (!largest || area > qint64(largest->pixelsWide()) * largest->pixelsHigh()) {
            largest = &rep;
        }
        if (rep.pixelsWide() >= pixelsWide && rep.pixelsHigh() >= pixelsHigh &&
            (!best || area < qint64(best->pixelsWide()) * best->pixelsHigh())) {
            best = &rep;
        }
    }
    return best ? best : largest;
}

QByteArray Image::pngData() const
{
    return m_representations.empty() ? QByteArray() : m_representations.front().pngData();
}

void Image::draw(GraphicsContext& context, const Rect& destination, const Rect& source,
                 CompositingOperation operation, double fraction) const
{
    context.drawImage(*this, destination, source, operation, fraction);
}

} // namespace graphics
