#pragma once

class QMenu;
class QObject;

namespace pelorama::app {

// The application's own commands, which every document window's menu bar offers.
class ApplicationCommands
{
public:
    virtual ~ApplicationCommands() = default;
    virtual void newDocument() = 0;
    virtual void openDocuments() = 0;
    virtual void fillOpenRecentMenu(QMenu* menu) = 0;
    // Closes every document, asking about unsaved changes, then quits unless the user kept one open.
    virtual void quit() = 0;
    virtual void showWebsite() = 0;
    virtual void showAcknowledgements(QObject* sender) = 0;
    virtual void showAbout() = 0;

protected:
    ApplicationCommands() = default;
    ApplicationCommands(const ApplicationCommands&) = default;
    ApplicationCommands& operator=(const ApplicationCommands&) = default;
};

} // namespace pelorama::app
