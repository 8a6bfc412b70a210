#include "appkit/widgets/WindowController.h"

#include "appkit/core/Document.h"
#include "appkit/widgets/DocumentWindows.h"
#include "appkit/widgets/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>

namespace appkit {

WindowController::WindowController(Document* document)
    : m_document(document)
{}

WindowController::~WindowController()
{
    // The window goes with its controller, while the document it shows is still whole. Whoever may be
    // inside one of the window's own event handlers lets go of the controller later (DocumentWindows).
    if (m_window) {
        m_window->removeEventFilter(this);
        delete m_window.data();
    }
}

QMainWindow* WindowController::window()
{
    if (m_window)
        return m_window;
    m_window = makeWindow().release();
    m_window->installEventFilter(this);
    connect(m_document, &Document::displayNameChanged, this, &WindowController::synchronizeWindowTitle);
    connect(m_document, &Document::filePathChanged, this, &WindowController::synchronizeWindowTitle);
    connect(m_document, &Document::editedChanged, this, &WindowController::synchronizeWindowTitle);
    synchronizeWindowTitle();
    windowDidLoad();
    emit DocumentWindows::of(*m_document).windowDidLoad(this);
    return m_window;
}

std::unique_ptr<QMainWindow> WindowController::makeWindow()
{
    auto window = std::make_unique<QMainWindow>();
    window->resize(1024, 700);
    return window;
}

void WindowController::showWindow(const QWidget* replaced)
{
    QMainWindow* shown = window();
    if (!m_placed && !shown->isVisible()) {
        m_placed = true;
        if (replaced)
            WindowPlacement::takePlaceOf(*shown, *replaced);
        else
            WindowPlacement::cascadeFrom(*shown, QApplication::activeWindow());
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void WindowController::synchronizeWindowTitle()
{
    if (!m_window)
        return;
    m_window->setWindowFilePath(m_document->filePath());
    m_window->setWindowTitle(m_document->displayName() + "[*]");
    m_window->setWindowModified(m_document->isEdited());
}

bool WindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window || event->type() != QEvent::Close)
        return false;
    // Only the document decides whether its last window closes; it asks once the event is over, since
    // closing deletes this controller.
    QPointer<Document> document = m_document;
    QPointer<WindowController> controller = this;
    if (DocumentWindows::of(*m_document).windowControllers().size() > 1) {
        QMetaObject::invokeMethod(
            m_document,
            [document, controller] {
                if (document && controller)
                    DocumentWindows::of(*document).removeWindowController(controller);
            },
            Qt::QueuedConnection);
        return false;
    }
    event->ignore();
    QMetaObject::invokeMethod(
        m_document,
        [document] {
            if (document)
                document->close();
        },
        Qt::QueuedConnection);
    return true;
}

} // namespace appkit
