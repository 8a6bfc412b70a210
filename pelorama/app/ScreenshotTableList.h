#pragma once

#include "document/ScreenshotList.h"

namespace pelorama::app {

class ScreenshotTableViewController;

// The document window's screenshot list as the document's commands see it: the array controller's
// arranged screenshots, the table's selection, and removal through the controller.
class ScreenshotTableList : public document::ScreenshotList
{
public:
    explicit ScreenshotTableList(ScreenshotTableViewController& controller);

    QList<model::Screenshot*> arrangedScreenshots() const override;
    model::Screenshot* selectedScreenshot() const override;
    void selectScreenshot(model::Screenshot& screenshot) override;
    void removeScreenshot(model::Screenshot& screenshot) override;

private:
    ScreenshotTableViewController& m_controller;
};

} // namespace pelorama::app
