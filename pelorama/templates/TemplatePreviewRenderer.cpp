#include "templates/TemplatePreviewRenderer.h"

#include "foundation/Fatal.h"
#include "model/DetachedCanvas.h"
#include "model/DeviceFamily.h"
#include "model/DeviceImageRenderer.h"
#include "model/DeviceVariant.h"
#include "model/DocumentModel.h"
#include "model/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "templates/Template.h"

#include <QSet>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace pelorama::templates {

namespace {

// Whether a render of canvas is the first to need one of its devices' pictures (frame or placeholder),
// which it would then open; the pictures seen so far are added to seen.
bool opensAPicture(const model::DetachedCanvas& canvas, QSet<QString>& seen)
{
    bool opens = false;
    for (const model::DrawableSnapshot& drawable : canvas.drawables()) {
        const auto* device = std::get_if<model::DeviceImageSnapshot>(&drawable);
        if (!device || !device->family || !device->variant)
            continue;
        const QString frame = device->variant->identifier();
        const QString placeholder =
            model::DeviceImageRenderer::placeholderName(*device->family, device->orientation);
        for (const QString& picture : {frame, placeholder}) {
            if (!seen.contains(picture)) {
                seen.insert(picture);
                opens = true;
            }
        }
    }
    return opens;
}

struct Render
{
    Template* item;
    std::unique_ptr<const model::DetachedCanvas> canvas;
};

// Threads that render what the context's queue hands them, first those marked urgent, until the queue
// closes and nothing is left. The hand-over uses the standard library's locks, which race checkers see.
class RenderThreads
{
public:
    explicit RenderThreads(int threadCount)
    {
        for (int index = 0; index < std::max(1, threadCount); ++index)
            m_threads.emplace_back([this] { work(); });
    }
    RenderThreads(const RenderThreads&) = delete;
    RenderThreads& operator=(const RenderThreads&) = delete;
    // Closes the queue and waits for the renders already handed over.
    ~RenderThreads()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_closed = true;
        }
        m_ready.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }

    void add(Render render, bool urgent)
    {
        {
            const std::lock_guard lock(m_mutex);
            (urgent ? m_urgent : m_others).push_back(std::move(render));
        }
        m_ready.notify_one();
    }

private:
    std::optional<Render> next()
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] { return m_closed || !m_urgent.empty() || !m_others.empty(); });
        for (std::deque<Render>* queue : {&m_urgent, &m_others}) {
            if (!queue->empty()) {
                Render render = std::move(queue->front());
                queue->pop_front();
                return render;
            }
        }
        return std::nullopt;
    }

    void work()
    {
        while (std::optional<Render> render = next()) {
            render->item->setPreviewImage(render->canvas->render(model::CanvasRenderingMode::templatePreview,
                                                                 TemplatePreviewRenderer::boxSize,
                                                                 TemplatePreviewRenderer::pixelScale));
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Render> m_urgent;
    std::deque<Render> m_others;
    bool m_closed = false;
    std::vector<std::thread> m_threads;
};

} // namespace

void TemplatePreviewRenderer::render(const std::vector<Template*>& templates, int threadCount)
{
    auto coordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
    const auto store = coordinator->addPersistentStore(store::PersistentStore::Type::InMemory, {});
    if (!store)
        foundation::fatal("The store for template previews could not be added: " + store.error().message());
    store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::PrivateQueue);
    context.setPersistentStoreCoordinator(coordinator);

    // The renders read only their detached copies, so they may go on after the queue is left; the
    // threads are done before the store and the context go away.
    RenderThreads renderers(threadCount);
    context.performAndWait([&] {
        // Opening a device's pictures costs far more than a render, and renders that need a picture being
        // opened wait for it; so renders that open pictures go ahead of the others, and the pictures are
        // opened side by side on all threads.
        QSet<QString> seen;
        for (Template* item : templates) {
            auto canvas = std::make_unique<const model::DetachedCanvas>(
                item->instantiateScreenshot(context).makeCanvas());
            const bool urgent = opensAPicture(*canvas, seen);
            renderers.add({item, std::move(canvas)}, urgent);
        }
    });
}

} // namespace pelorama::templates
