#pragma once

#include "appkit/WindowController.h"

namespace pelorama::app {

class ApplicationCommands;
class Document;

// Makes a document's window, a DocumentWindow, on first use.
class DocumentWindowController : public appkit::WindowController
{
    Q_OBJECT

public:
    // applicationCommands (may be null) gives the window's menus the application's commands.
    DocumentWindowController(Document& document, ApplicationCommands* applicationCommands);

protected:
    std::unique_ptr<QMainWindow> makeWindow() override;

private:
    Document& m_document;
    ApplicationCommands* m_applicationCommands;
};

} // namespace pelorama::app
