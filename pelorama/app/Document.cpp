#include "app/Document.h"

#include "app/DocumentLock.h"
#include "app/list/ScreenshotListModel.h"
#include "app/window/DocumentWindowController.h"
#include "appkit/widgets/DocumentWindows.h"
#include "document/ScreenshotArrangement.h"
#include "foundation/Diagnostics.h"
#include "model/selection/DocumentSelection.h"
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
    // Closed, it may be opened again at once (here or elsewhere), before this object is gone.
    connect(this, &appkit::Document::closed, this, [this] { m_lock.reset(); });
}

Document::~Document()
{
    // The windows show the list and the selection, which go with this document.
    setUserInterface(nullptr);
}

foundation::Expected<std::unique_ptr<DocumentLock>, QString> Document::lockFor(const QString& path) const
{
    if (m_lock && m_lock->packagePath() == DocumentLock::resolvedPath(path))
        return std::unique_ptr<DocumentLock>();
    return DocumentLock::acquire(path);
}

appkit::DocumentResult<> Document::lock(const QString& path)
{
    auto locked = lockFor(path);
    if (!locked)
        return appkit::documentFailure(locked.error());
    if (*locked)
        m_lock = std::move(*locked);
    return {};
}

void Document::setFilePath(const QString& path)
{
    document::DocumentPackage::setFilePath(path);
    if (path.isEmpty()) {
        m_lock.reset();
        return;
    }
    // Saved somewhere new: that is the package to keep to this process now. Should another process
    // have it open already, this one goes on unlocked rather than losing what was just saved.
    if (const appkit::DocumentResult<> locked = lock(path); !locked) {
        m_lock.reset();
        foundation::warning(QStringLiteral("“%1”: %2").arg(path, locked.error().message()));
    }
}

appkit::DocumentResult<> Document::read(const QString& path, const QString& typeName)
{
    if (appkit::DocumentResult<> locked = lock(path); !locked)
        return locked;
    appkit::DocumentResult<> result = document::DocumentPackage::read(path, typeName);
    m_arrangement->rearrange();
    return result;
}

appkit::DocumentResult<> Document::write(const QString& path, const QString& typeName,
                                         appkit::SaveOperation operation, const QString& previousPath)
{
    std::unique_ptr<DocumentLock> newLock;
    if (operation == appkit::SaveOperation::saveAs) {
        auto locked = lockFor(path);
        if (!locked)
            return appkit::documentFailure(locked.error());
        newLock = std::move(*locked);
    }
    appkit::DocumentResult<> result =
        document::DocumentPackage::write(path, typeName, operation, previousPath);
    // Written, the package is this document's; until then it keeps the lock of where it lived.
    if (result && newLock)
        m_lock = std::move(newLock);
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
