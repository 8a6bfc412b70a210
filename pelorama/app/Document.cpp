#include "app/Document.h"

#include "app/DocumentWindowController.h"
#include "app/ScreenshotListModel.h"
#include "appkit/DocumentWindows.h"
#include "document/ScreenshotArrangement.h"
#include "model/entities/DocumentSelection.h"
#include "store/ManagedObjectContext.h"
#include "tessaline/Shared/App.h"

#include <QUndoStack>

namespace pelorama::app {

appkit::DocumentType Document::documentType(ApplicationCommands* applicationCommands)
{
    return appkit::DocumentType{
        typeName(), QStringLiteral("Pelorama Document"), {extension()}, true, [applicationCommands] {
            return std::make_unique<Document>(applicationCommands);
        }};
}

Document::Document(ApplicationCommands* applicationCommands)
    : m_selection(std::make_unique<model::DocumentSelection>())
    , m_arrangement(std::make_unique<document::ScreenshotArrangement>(*managedObjectContext(), *m_selection))
    , m_screenshotList(std::make_unique<ScreenshotListModel>(*m_arrangement))
{
    auto controller = std::make_unique<DocumentWindowController>(*this, applicationCommands);
    m_windowController = controller.get();
    windows().addWindowController(std::move(controller));
}

Document::~Document()
{
    // The windows show the list and the selection, which go with this document.
    setUserInterface(nullptr);
}

appkit::DocumentResult<> Document::read(const QString& path, const QString& typeName)
{
    appkit::DocumentResult<> result = document::DocumentPackage::read(path, typeName);
    m_arrangement->rearrange();
    return result;
}

appkit::DocumentResult<> Document::revert(const QString& path, const QString& typeName)
{
    appkit::DocumentResult<> result = document::DocumentPackage::revert(path, typeName);
    m_arrangement->rearrange();
    return result;
}

void Document::initializeNewDocument(const QString& typeName)
{
    document::DocumentPackage::initializeNewDocument(typeName);
    managedObjectContext()->processPendingChanges();
    undoStack()->clear();
    QVariantMap dictionary = metadata().dictionary();
    dictionary.insert(QStringLiteral("FileVersion"), 1);
    dictionary.insert(QStringLiteral("AppVersion"), tessaline::App::version());
    metadata().setDictionary(dictionary);
}

appkit::DocumentWindows& Document::windows()
{
    return appkit::DocumentWindows::of(*this);
}

DocumentWindow* Document::documentWindow()
{
    return m_windowController ? m_windowController->documentWindow() : nullptr;
}

void Document::commitEditing()
{
    if (m_windowController)
        m_windowController->commitEditing();
}

} // namespace pelorama::app
