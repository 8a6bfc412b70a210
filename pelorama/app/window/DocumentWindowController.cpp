#include "app/window/DocumentWindowController.h"

#include "app/Document.h"
#include "app/window/DocumentWindow.h"

namespace pelorama::app {

DocumentWindowController::DocumentWindowController(Document& document,
                                                   ApplicationCommands* applicationCommands)
    : appkit::WindowController(&document)
    , m_document(document)
    , m_applicationCommands(applicationCommands)
{}

DocumentWindow* DocumentWindowController::documentWindow()
{
    window();
    return m_documentWindow;
}

void DocumentWindowController::commitEditing()
{
    if (m_documentWindow)
        m_documentWindow->commitEditing();
}

std::unique_ptr<QMainWindow> DocumentWindowController::makeWindow()
{
    auto window = std::make_unique<DocumentWindow>(m_document, m_applicationCommands);
    m_documentWindow = window.get();
    return window;
}

} // namespace pelorama::app
