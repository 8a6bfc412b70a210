#include "canvas/ScreenshotThumbnails.h"

#include "canvas/ThumbnailDrawing.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/CanvasRenderer.h"
#include "model/rendering/RenderPool.h"

#include <algorithm>

namespace pelorama::canvas {

namespace {

std::size_t bytesOf(const graphics::Image& picture)
{
    std::size_t bytes = 0;
    for (const graphics::BitmapImageRep& representation : picture.representations())
        bytes += std::size_t(representation.bitmap().sizeInBytes());
    return bytes;
}

// What a picture not rendered yet is counted as: the most a thumbnail takes.
constexpr std::size_t largestPicture =
    std::size_t(ScreenshotThumbnails::box.width * ScreenshotThumbnails::scale) *
    std::size_t(ScreenshotThumbnails::box.height * ScreenshotThumbnails::scale) * 4;

// Renders at once: as many as the pool runs side by side, so that the rows wanted next, which change
// while the list scrolls, are not queued behind renders of rows long gone.
std::size_t renderLimit()
{
    return std::size_t(std::max(1, model::renderPool().maxThreadCount()));
}

} // namespace

ScreenshotThumbnails::ScreenshotThumbnails(std::size_t budget, QObject* parent)
    : QObject(parent)
    , m_budget(budget)
    , m_startRenders([this] { startRenders(); })
    , m_renders(*this, &ScreenshotThumbnails::takeRenders)
{}

ScreenshotThumbnails::~ScreenshotThumbnails() = default;

ScreenshotThumbnails::Entry* ScreenshotThumbnails::find(const model::Screenshot& screenshot)
{
    const auto found = m_entries.find(screenshot.objectID());
    return found == m_entries.end() ? nullptr : &found->second;
}

const ScreenshotThumbnails::Entry* ScreenshotThumbnails::find(const model::Screenshot& screenshot) const
{
    const auto found = m_entries.find(screenshot.objectID());
    return found == m_entries.end() ? nullptr : &found->second;
}

const graphics::Image* ScreenshotThumbnails::picture(const model::Screenshot& screenshot) const
{
    const Entry* entry = find(screenshot);
    return entry && entry->picture ? &*entry->picture : nullptr;
}

bool ScreenshotThumbnails::shows(const model::Screenshot& screenshot, quint64 revision) const
{
    const Entry* entry = find(screenshot);
    return entry && entry->picture && entry->revision == revision && entry->shows == revision &&
           entry->language == m_language && !entry->job;
}

QImage ScreenshotThumbnails::composed(const model::Screenshot& screenshot, QSize cellSize, double pixelRatio)
{
    Entry* entry = find(screenshot);
    if (!entry || !entry->picture)
        return {};
    if (entry->composed.isNull() || entry->composedSize != cellSize ||
        entry->composed.devicePixelRatio() != pixelRatio) {
        entry->composed = ThumbnailDrawing::compose(*entry->picture, cellSize, pixelRatio);
        entry->composedSize = cellSize;
    }
    return entry->composed;
}

void ScreenshotThumbnails::want(const std::vector<Wanted>& wanted, std::size_t shown)
{
    for (auto& [id, entry] : m_entries)
        entry.wanted = false;
    m_order.clear();
    std::size_t bytes = 0;
    bool full = false;
    for (std::size_t index = 0; index < wanted.size(); ++index) {
        model::Screenshot* screenshot = wanted[index].screenshot;
        if (!screenshot)
            continue;
        const store::ManagedObjectID id = screenshot->objectID();
        Entry& entry = m_entries[id];
        if (entry.wanted)
            continue;
        entry.wanted = true;
        entry.screenshot = screenshot;
        entry.revision = wanted[index].revision;
        entry.shown = index < shown;
        if (!entry.shown) {
            entry.renderer.reset();
            entry.snapshot.reset();
            entry.composed = QImage();
        }
        const std::size_t cost = entry.picture ? entry.pictureBytes : largestPicture;
        full = full || (!entry.shown && bytes + cost > m_budget);
        entry.kept = !full;
        if (entry.kept) {
            bytes += cost;
        } else {
            entry.picture.reset();
            entry.shows.reset();
            entry.composed = QImage();
        }
        m_order.push_back(id);
    }
    // Renders of screenshots forgotten run to their end, and their pictures go nowhere.
    std::erase_if(m_entries, [this](const auto& kept) {
        if (kept.second.wanted)
            return false;
        m_renders.drop(kept.second.job);
        return true;
    });
    startRenders();
}

void ScreenshotThumbnails::setLanguage(const QString& language)
{
    if (language == m_language)
        return;
    m_language = language;
    m_startRenders.request();
}

void ScreenshotThumbnails::screenshotDidChange(const model::Screenshot& screenshot, quint64 revision)
{
    if (Entry* entry = find(screenshot); entry && entry->revision != revision) {
        entry->revision = revision;
        m_startRenders.request();
    }
}

void ScreenshotThumbnails::startRenders()
{
    for (const store::ManagedObjectID& id : m_order) {
        if (m_renders.currentCount() >= renderLimit())
            return;
        Entry& entry = m_entries.at(id);
        if (!entry.kept || entry.job || !entry.screenshot || entry.screenshot->isDeleted())
            continue;
        if (entry.shows == entry.revision && entry.language == m_language)
            continue;
        model::DetachedCanvas snapshot(entry.screenshot->makeCanvas(), m_language);
        if (entry.picture && entry.snapshot && *entry.snapshot == snapshot) {
            // A revision that does not show, or a language it has no texts in.
            entry.shows = entry.revision;
            entry.language = m_language;
            continue;
        }
        start(entry, std::move(snapshot));
    }
}

void ScreenshotThumbnails::start(Entry& entry, model::DetachedCanvas snapshot)
{
    entry.shows = entry.revision;
    entry.language = m_language;
    // A renderer kept for a screenshot on screen keeps the captions it laid out for the next render.
    std::shared_ptr<model::CanvasRenderer> renderer = std::move(entry.renderer);
    if (!renderer)
        renderer = std::make_shared<model::CanvasRenderer>();
    if (entry.shown)
        entry.snapshot = snapshot;
    entry.job = m_renders.start(std::move(renderer), [id = entry.screenshot->objectID(),
                                                      snapshot = std::move(snapshot)](auto& renderer) {
        return Rendered{id, renderer->render(snapshot, model::CanvasRenderingMode::thumbnail, box, scale)};
    });
}

void ScreenshotThumbnails::takeRenders()
{
    // A render of a screenshot forgotten since came back without its picture.
    for (Renders::Returned& returned : m_renders.take()) {
        if (!returned.result)
            continue;
        Entry& entry = m_entries.at(returned.result->screenshot);
        entry.job = 0;
        if (!entry.kept)
            continue;
        entry.picture = std::move(returned.result->picture);
        entry.pictureBytes = bytesOf(*entry.picture);
        entry.composed = QImage();
        if (entry.shown)
            entry.renderer = std::move(returned.tool);
        if (entry.screenshot)
            emit pictureChanged(entry.screenshot);
    }
    startRenders();
}

std::size_t ScreenshotThumbnails::liveCount() const
{
    return std::size_t(std::count_if(m_entries.begin(), m_entries.end(), [](const auto& kept) {
        const Entry& entry = kept.second;
        return entry.renderer || entry.snapshot || !entry.composed.isNull() || entry.job;
    }));
}

std::size_t ScreenshotThumbnails::pictureCount() const
{
    return std::size_t(std::count_if(m_entries.begin(), m_entries.end(),
                                     [](const auto& kept) { return kept.second.picture.has_value(); }));
}

std::size_t ScreenshotThumbnails::pictureBytes() const
{
    std::size_t bytes = 0;
    for (const auto& [id, entry] : m_entries) {
        if (entry.picture)
            bytes += entry.pictureBytes;
    }
    return bytes;
}

} // namespace pelorama::canvas
