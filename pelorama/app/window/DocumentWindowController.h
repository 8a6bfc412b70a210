#pragma once

#include "appkit/widgets/WindowController.h"

#include <QPointer>

namespace pelorama::app {

class ApplicationCommands;
class Document;
class DocumentWindow;

// Makes a document's window, a DocumentWindow, on first use.
class DocumentWindowController : public appkit::WindowController
{
    Q_OBJECT

public:
    // applicationCommands (may be null) gives the window's menus the application's commands.
    DocumentWindowController(Document& document, ApplicationCommands* applicationCommands);

    // The window, made on first use.
    DocumentWindow* documentWindow();
    // Writes the text typed into a caption on the canvas into the caption; nothing before the window is made.
    void commitEditing();

protected:
    std::unique_ptr<QMainWindow> makeWindow() override;

private:
    Document& m_document;
    ApplicationCommands* m_applicationCommands;
    QPointer<DocumentWindow> m_documentWindow;
};

} // namespace pelorama::app
