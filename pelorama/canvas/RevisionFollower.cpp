#include "canvas/RevisionFollower.h"

#include "model/entities/ScreenshotRevisions.h"
#include "model/rendering/Canvas.h"
#include "store/ManagedObjectContext.h"

namespace pelorama::canvas {

RevisionFollower::RevisionFollower(std::function<void()> revised)
    : m_revised(std::move(revised))
{}

RevisionFollower::~RevisionFollower()
{
    QObject::disconnect(m_connection);
}

bool RevisionFollower::isPending() const
{
    const store::ManagedObjectContext* context =
        m_screenshot ? m_screenshot->managedObjectContext() : nullptr;
    return context && context->hasUnreportedChanges();
}

void RevisionFollower::follow(const model::Canvas* canvas)
{
    QObject::disconnect(m_connection);
    m_screenshot = nullptr;
    if (!canvas || canvas->drawables().empty())
        return;
    auto* screenshot = dynamic_cast<model::Screenshot*>(canvas->drawables().front());
    store::ManagedObjectContext* context = screenshot ? screenshot->managedObjectContext() : nullptr;
    if (!context)
        return;
    m_screenshot = screenshot;
    m_connection =
        QObject::connect(&model::ScreenshotRevisions::of(*context), &model::ScreenshotRevisions::revised,
                         screenshot, [this, screenshot](const QList<model::Screenshot*>& revised) {
                             if (revised.contains(screenshot))
                                 m_revised();
                         });
}

} // namespace pelorama::canvas
