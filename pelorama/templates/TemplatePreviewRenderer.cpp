#include "templates/TemplatePreviewRenderer.h"

#include "canvas/DetachedCanvas.h"
#include "foundation/Fatal.h"
#include "model/DeviceFamily.h"
#include "model/DeviceImage.h"
#include "model/DeviceVariant.h"
#include "model/DocumentModel.h"
#include "model/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "templates/Template.h"

#include <QSet>
#include <QThreadPool>
#include <algorithm>
#include <memory>

namespace pelorama::templates {

namespace {

// Whether a render of canvas is the first to need one of its devices' pictures (frame or placeholder),
// which it would then open; the pictures seen so far are added to seen.
bool opensAPicture(const model::Canvas& canvas, QSet<QString>& seen)
{
    bool opens = false;
    for (model::Drawable* drawable : canvas.drawables()) {
        const auto* device = dynamic_cast<const model::DeviceImage*>(drawable);
        if (!device)
            continue;
        const QString frame = device->deviceVariant().identifier();
        const QString placeholder =
            model::DeviceImage::placeholderName(device->deviceFamily(), device->orientation());
        for (const QString& picture : {frame, placeholder}) {
            if (!seen.contains(picture)) {
                seen.insert(picture);
                opens = true;
            }
        }
    }
    return opens;
}

} // namespace

void TemplatePreviewRenderer::render(const std::vector<Template*>& templates, int threadCount)
{
    auto coordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
    const auto store = coordinator->addPersistentStore(store::PersistentStore::Type::InMemory, {});
    if (!store)
        foundation::fatal("The store for template previews could not be added: " + store.error().message());
    store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::PrivateQueue);
    context.setPersistentStoreCoordinator(coordinator);

    QThreadPool renderers;
    renderers.setMaxThreadCount(std::max(1, threadCount));
    context.performAndWait([&] {
        // Opening a device's pictures costs far more than a render, and renders that need a picture being
        // opened wait for it; so renders that open pictures go ahead of the others, and the pictures are
        // opened side by side on all threads.
        QSet<QString> seen;
        for (Template* item : templates) {
            const model::Canvas built = item->instantiateScreenshot(context).makeCanvas();
            const int priority = opensAPicture(built, seen) ? 1 : 0;
            auto canvas = std::make_shared<const canvas::DetachedCanvas>(built);
            renderers.start(
                [item, canvas] {
                    item->setPreviewImage(
                        canvas->render(model::CanvasRenderingMode::templatePreview, boxSize, pixelScale));
                },
                priority);
        }
        // The queue holds still until the last preview is set; the store goes away with the run.
        renderers.waitForDone();
    });
}

} // namespace pelorama::templates
