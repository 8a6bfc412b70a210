#pragma once

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::app {

class ScreenshotTableViewController;

// Hears of every assignment of the list's selected screenshot (none when nothing is selected).
class ScreenshotTableViewControllerDelegate
{
public:
    virtual ~ScreenshotTableViewControllerDelegate() = default;
    virtual void screenshotTableViewControllerDidSelectScreenshot(ScreenshotTableViewController& controller,
                                                                  model::Screenshot* screenshot) = 0;

protected:
    ScreenshotTableViewControllerDelegate() = default;
    ScreenshotTableViewControllerDelegate(const ScreenshotTableViewControllerDelegate&) = default;
    ScreenshotTableViewControllerDelegate& operator=(const ScreenshotTableViewControllerDelegate&) = default;
};

} // namespace pelorama::app
