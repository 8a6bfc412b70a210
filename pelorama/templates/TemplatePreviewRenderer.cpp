#include "templates/TemplatePreviewRenderer.h"

#include "foundation/Fatal.h"
#include "model/devices/DeviceFamily.h"
#include "model/devices/DeviceVariant.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/SnapshotDrawing.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "templates/Template.h"

#include <QPromise>
#include <QSet>
#include <atomic>
#include <memory>

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
        const QString placeholder = model::devicePlaceholderName(*device->family, device->orientation);
        for (const QString& picture : {frame, placeholder}) {
            if (!seen.contains(picture)) {
                seen.insert(picture);
                opens = true;
            }
        }
    }
    return opens;
}

// One call of render: finishes its future once the last of its previews is set.
class PreviewRun
{
public:
    explicit PreviewRun(std::size_t count)
        : m_remaining(count)
    {
        m_promise.start();
        if (count == 0)
            m_promise.finish();
    }

    QFuture<void> future() { return m_promise.future(); }

    void previewSet()
    {
        if (m_remaining.fetch_sub(1) == 1)
            m_promise.finish();
    }

private:
    QPromise<void> m_promise;
    std::atomic<std::size_t> m_remaining;
};

// A job of pool: builds every screenshot and hands the render of each to pool as soon as it is built.
void build(const std::vector<Template*>& templates, QThreadPool& pool, const std::shared_ptr<PreviewRun>& run)
{
    auto coordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
    const auto store = coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {});
    if (!store)
        foundation::fatal("The store for template previews could not be added: " + store.error().message());
    store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::privateQueue);
    context.setPersistentStoreCoordinator(coordinator);

    // The renders read only their detached copies, so they may go on after the queue is left and after
    // the store and the context are gone.
    context.performAndWait([&] {
        // Opening a device's pictures costs far more than a render, and renders that need a picture being
        // opened wait for it; so renders that open pictures go ahead of the others, and the pictures are
        // opened side by side on all threads.
        QSet<QString> seen;
        for (Template* item : templates) {
            auto canvas = std::make_shared<const model::DetachedCanvas>(
                item->instantiateScreenshot(context).makeCanvas());
            const bool urgent = opensAPicture(*canvas, seen);
            model::startOnPool(
                [item, canvas, run] {
                    item->setPreviewImage(canvas->render(model::CanvasRenderingMode::templatePreview,
                                                         TemplatePreviewRenderer::boxSize,
                                                         TemplatePreviewRenderer::pixelScale));
                    run->previewSet();
                },
                urgent ? 1 : 0, pool);
        }
    });
}

} // namespace

QFuture<void> TemplatePreviewRenderer::render(std::vector<Template*> templates, QThreadPool& pool)
{
    auto run = std::make_shared<PreviewRun>(templates.size());
    QFuture<void> future = run->future();
    if (!templates.empty())
        model::startOnPool([templates = std::move(templates), &pool, run] { build(templates, pool, run); }, 0,
                           pool);
    return future;
}

} // namespace pelorama::templates
