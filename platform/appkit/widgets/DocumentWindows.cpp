#include "appkit/widgets/DocumentWindows.h"

#include "appkit/core/Document.h"
#include "appkit/widgets/StandardDocumentDialogs.h"
#include "appkit/widgets/WindowController.h"

#include <iterator>

namespace appkit {

DocumentWindows& DocumentWindows::of(Document& document)
{
    if (DocumentWindows* windows = find(document))
        return *windows;
    auto made = std::make_unique<DocumentWindows>(document);
    DocumentWindows& windows = *made;
    document.setUserInterface(std::move(made));
    return windows;
}

DocumentWindows* DocumentWindows::find(const Document& document)
{
    return dynamic_cast<DocumentWindows*>(document.userInterface());
}

DocumentWindows::DocumentWindows(Document& document)
    : m_document(document)
{}

DocumentWindows::~DocumentWindows() = default;

QList<WindowController*> DocumentWindows::windowControllers() const
{
    QList<WindowController*> controllers;
    for (const auto& controller : m_windowControllers)
        controllers.append(controller.get());
    return controllers;
}

void DocumentWindows::addWindowController(std::unique_ptr<WindowController> controller)
{
    m_windowControllers.push_back(std::move(controller));
}

void DocumentWindows::removeWindowController(WindowController* controller)
{
    std::erase_if(m_windowControllers, [controller](const auto& owned) { return owned.get() == controller; });
}

void DocumentWindows::showWindows(const QWidget* replaced)
{
    if (m_document.isClosed())
        return;
    if (m_windowControllers.empty())
        addWindowController(std::make_unique<WindowController>(&m_document));
    for (auto it = m_windowControllers.rbegin(); it != m_windowControllers.rend(); ++it)
        (*it)->showWindow(it == std::prev(m_windowControllers.rend()) ? replaced : nullptr);
}

QWidget* DocumentWindows::window() const
{
    if (m_windowControllers.empty())
        return nullptr;
    return m_windowControllers.front()->window();
}

DocumentDialogs& DocumentWindows::dialogs()
{
    if (!m_dialogs)
        m_dialogs = std::make_shared<StandardDocumentDialogs>();
    return *m_dialogs;
}

void DocumentWindows::setDialogs(std::shared_ptr<DocumentDialogs> dialogs)
{
    m_dialogs = std::move(dialogs);
}

QString DocumentWindows::chooseSaveLocation(const DocumentType& type, const QString& suggestedPath)
{
    return dialogs().chooseSaveLocation(window(), type, suggestedPath);
}

DocumentUserInterface::UnsavedChangesAnswer DocumentWindows::askToSaveChanges(const QString& documentName)
{
    return dialogs().askToSaveChanges(window(), documentName);
}

bool DocumentWindows::confirmRevert(const QString& documentName)
{
    return dialogs().confirmRevert(window(), documentName);
}

void DocumentWindows::presentError(const DocumentError& error)
{
    dialogs().presentError(window(), error);
}

void DocumentWindows::documentDidClose()
{
    for (auto& controller : m_windowControllers) {
        if (controller->isWindowLoaded())
            controller->window()->hide();
        m_closedWindowControllers.push_back(std::move(controller));
    }
    m_windowControllers.clear();
    QMetaObject::invokeMethod(
        this, [this] { m_closedWindowControllers.clear(); }, Qt::QueuedConnection);
}

} // namespace appkit
