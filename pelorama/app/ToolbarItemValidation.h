#pragma once

class QAction;

namespace pelorama::app {

// A target of toolbar actions that decides whether each of its toolbar items is enabled.
class ToolbarItemValidation
{
public:
    virtual ~ToolbarItemValidation() = default;
    virtual bool validateToolbarItem(const QAction& item) = 0;

protected:
    ToolbarItemValidation() = default;
    ToolbarItemValidation(const ToolbarItemValidation&) = default;
    ToolbarItemValidation& operator=(const ToolbarItemValidation&) = default;
};

} // namespace pelorama::app
