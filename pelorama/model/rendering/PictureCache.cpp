#include "model/rendering/PictureCache.h"

#include "model/rendering/RenderPool.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>

namespace pelorama::model {

namespace {

bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

QImage pixelsOf(const std::optional<graphics::Image>& picture)
{
    return picture && !picture->isEmpty() ? picture->representations().front().bitmap() : QImage();
}

} // namespace

PictureCache::PictureCache(std::size_t budgetBytes)
    : m_budgetBytes(budgetBytes)
    , m_kept(budgetBytes)
{
    // Its signal is heard on the main thread, whichever thread asked for it first.
    if (QCoreApplication* application = QCoreApplication::instance())
        moveToThread(application->thread());
}

std::optional<PictureCache::Entry> PictureCache::kept(const QString& sha1, const QByteArray& data)
{
    const auto matches = [&](const Entry& entry) {
        return entry.sha1 == sha1 && sameBytes(entry.data, data);
    };
    if (m_oversized && matches(*m_oversized))
        return m_oversized;
    return m_kept.findEntry(matches);
}

void PictureCache::keep(Entry entry)
{
    // A picture larger than the whole budget is kept alone beside it, until the next such picture: it is
    // about to be drawn, and drawn again with every change.
    if (std::size_t(entry.layer.sizeInBytes()) > m_budgetBytes)
        m_oversized = std::move(entry);
    else
        m_kept.insert(std::move(entry));
}

std::vector<PictureCache::Decoding>::iterator PictureCache::decoding(const QString& sha1,
                                                                     const QByteArray& data)
{
    return std::find_if(m_decoding.begin(), m_decoding.end(), [&](const Decoding& decoding) {
        return decoding.sha1 == sha1 && sameBytes(decoding.data, data);
    });
}

std::optional<graphics::Image> PictureCache::picture(const QString& sha1, const QByteArray& data)
{
    std::unique_lock lock(m_mutex);
    if (std::optional<Entry> found = kept(sha1, data))
        return found->picture;
    if (const auto running = decoding(sha1, data); running != m_decoding.end()) {
        const std::shared_future<std::optional<graphics::Image>> waited = running->picture;
        // Waited for outside the lock, so that other pictures are served meanwhile.
        lock.unlock();
        return waited.get();
    }
    // Others wait only for a decoding on a thread of the render pool. Off it, Qt hands parts of an image
    // conversion to that pool and waits for them, which would never come if the pool's threads all
    // waited for this decoding in turn.
    if (!renderPool().contains(QThread::currentThread())) {
        lock.unlock();
        std::optional<graphics::Image> decoded = graphics::Image::fromData(data);
        lock.lock();
        if (std::optional<Entry> found = kept(sha1, data))
            return found->picture;
        keep(Entry{sha1, data, decoded, pixelsOf(decoded)});
        return decoded;
    }
    std::promise<std::optional<graphics::Image>> promise;
    m_decoding.push_back({sha1, data, promise.get_future().share()});
    lock.unlock();
    try {
        std::optional<graphics::Image> decoded = graphics::Image::fromData(data);
        {
            const std::lock_guard relock(m_mutex);
            keep(Entry{sha1, data, decoded, pixelsOf(decoded)});
            m_decoding.erase(decoding(sha1, data));
        }
        promise.set_value(decoded);
        return decoded;
    } catch (...) {
        {
            const std::lock_guard relock(m_mutex);
            m_decoding.erase(decoding(sha1, data));
        }
        promise.set_exception(std::current_exception());
        throw;
    }
}

PictureCache::State PictureCache::state(const QString& sha1, const QByteArray& data)
{
    const std::lock_guard lock(m_mutex);
    if (kept(sha1, data))
        return State::kept;
    return decoding(sha1, data) != m_decoding.end() ? State::decoding : State::absent;
}

void PictureCache::insert(const QString& sha1, const QByteArray& data, const graphics::Image& picture)
{
    const std::lock_guard lock(m_mutex);
    if (!kept(sha1, data))
        keep(Entry{sha1, data, picture, pixelsOf(picture)});
}

void PictureCache::decodeLater(const QString& sha1, const QByteArray& data)
{
    if (state(sha1, data) != State::absent)
        return;
    startOnPool([this, sha1, data] {
        try {
            picture(sha1, data);
        } catch (const std::exception&) {
            // Nothing is kept; whoever draws it next tries again.
            return;
        }
        emit pictureDecoded();
    });
}

} // namespace pelorama::model
