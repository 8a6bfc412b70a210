#include "templates/TemplatePreviewRenderer.h"

#include "canvas/DetachedCanvas.h"
#include "foundation/Fatal.h"
#include "model/DocumentModel.h"
#include "model/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "templates/Template.h"

#include <QThreadPool>
#include <algorithm>
#include <memory>

namespace pelorama::templates {

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
        for (Template* item : templates) {
            model::Screenshot& screenshot = item->instantiateScreenshot(context);
            auto canvas = std::make_shared<const canvas::DetachedCanvas>(screenshot.makeCanvas());
            renderers.start([item, canvas] {
                item->setPreviewImage(canvas->render(model::CanvasRenderingMode::templatePreview, boxSize, pixelScale));
            });
        }
        // The queue holds still until the last preview is set; the store goes away with the run.
        renderers.waitForDone();
    });
}

} // namespace pelorama::templates
