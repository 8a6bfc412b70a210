#include "app/DocumentWindowController.h"

#include "app/Document.h"
#include "app/DocumentWindow.h"

namespace pelorama::app {

DocumentWindowController::DocumentWindowController(Document& document,
                                                   ApplicationCommands* applicationCommands)
    : appkit::WindowController(&document)
    , m_document(document)
    , m_applicationCommands(applicationCommands)
{}

std::unique_ptr<QMainWindow> DocumentWindowController::makeWindow()
{
    return std::make_unique<DocumentWindow>(m_document, m_applicationCommands);
}

} // namespace pelorama::app
