#include "app/ScreenshotTableList.h"

#include "app/ArrayController.h"
#include "app/ScreenshotTableViewController.h"

namespace pelorama::app {

ScreenshotTableList::ScreenshotTableList(ScreenshotTableViewController& controller)
    : m_controller(controller)
{}

QList<model::Screenshot*> ScreenshotTableList::arrangedScreenshots() const
{
    QList<model::Screenshot*> screenshots;
    for (store::ManagedObject* object : m_controller.screenshotArrayController()->arrangedObjects()) {
        if (auto* screenshot = qobject_cast<model::Screenshot*>(object))
            screenshots.append(screenshot);
    }
    return screenshots;
}

model::Screenshot* ScreenshotTableList::selectedScreenshot() const
{
    return m_controller.selectedScreenshot();
}

void ScreenshotTableList::selectScreenshot(model::Screenshot& screenshot)
{
    m_controller.screenshotArrayController()->setSelectedObjects({&screenshot});
}

void ScreenshotTableList::removeScreenshot(model::Screenshot& screenshot)
{
    m_controller.screenshotArrayController()->removeObject(&screenshot);
}

} // namespace pelorama::app
