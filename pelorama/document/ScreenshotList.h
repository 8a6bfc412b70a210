#pragma once

#include <QList>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// A document's list of screenshots as its actions see it: the screenshots in list order (ascending
// "order") as of the context's last processed changes, the selection, and removal through the list.
class ScreenshotList
{
public:
    virtual ~ScreenshotList() = default;

    virtual QList<model::Screenshot*> arrangedScreenshots() const = 0;
    // None when nothing is selected.
    virtual model::Screenshot* selectedScreenshot() const = 0;
    // Selects only this screenshot.
    virtual void selectScreenshot(model::Screenshot& screenshot) = 0;
    // Deletes the screenshot from the document's context; the list follows at once.
    virtual void removeScreenshot(model::Screenshot& screenshot) = 0;
};

} // namespace pelorama::document
