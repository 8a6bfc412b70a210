#include "tessaline/Tessaline/AboutWindowController.h"

#include "appkit/widgets/WindowPlacement.h"
#include "tessaline/Shared/App.h"
#include "tessaline/Tessaline/AboutWindow.h"

#include <QApplication>
#include <QMutex>
#include <QMutexLocker>

namespace tessaline {
namespace {

struct SharedController
{
    QMutex mutex;
    std::unique_ptr<AboutWindowController> controller;
    bool cleanupRegistered = false;
};

SharedController& shared()
{
    static SharedController instance;
    return instance;
}

void releaseSharedController()
{
    std::unique_ptr<AboutWindowController> released;
    {
        QMutexLocker locker(&shared().mutex);
        released = std::move(shared().controller);
        shared().cleanupRegistered = false;
    }
}

void registerCleanup(SharedController& state)
{
    // The window must go before the application object does.
    if (!state.cleanupRegistered && QCoreApplication::instance()) {
        qAddPostRoutine(releaseSharedController);
        state.cleanupRegistered = true;
    }
}

} // namespace

AboutWindowController::AboutWindowController()
    : m_applicationName(App::name())
    , m_applicationVersion(QStringLiteral("Version ") + App::version())
    , m_applicationCopyright(App::copyright())
{}

AboutWindowController::~AboutWindowController()
{
    delete m_window.data();
}

AboutWindowController& AboutWindowController::instance()
{
    SharedController& state = shared();
    QMutexLocker locker(&state.mutex);
    if (!state.controller) {
        state.controller = std::make_unique<AboutWindowController>();
        registerCleanup(state);
    }
    return *state.controller;
}

void AboutWindowController::setInstance(std::unique_ptr<AboutWindowController> controller)
{
    std::unique_ptr<AboutWindowController> previous;
    SharedController& state = shared();
    QMutexLocker locker(&state.mutex);
    previous = std::exchange(state.controller, std::move(controller));
    registerCleanup(state);
    locker.unlock();
}

void AboutWindowController::show()
{
    instance().showWindow();
}

void AboutWindowController::setApplicationName(const QString& name)
{
    m_applicationName = name;
    emit applicationNameChanged();
}

void AboutWindowController::setApplicationVersion(const QString& version)
{
    m_applicationVersion = version;
    emit applicationVersionChanged();
}

void AboutWindowController::setApplicationCopyright(const QString& copyright)
{
    m_applicationCopyright = copyright;
    emit applicationCopyrightChanged();
}

QWidget* AboutWindowController::window()
{
    if (!m_window) {
        loadWindow();
    }
    return m_window;
}

void AboutWindowController::showWindow()
{
    QWidget* shown = window();
    // Opened anew, it comes up where the user is looking.
    if (!shown->isVisible()) {
        QWidget* active = QApplication::activeWindow();
        appkit::WindowPlacement::centreOver(*shown, active != shown ? active : nullptr);
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void AboutWindowController::loadWindow()
{
    m_window = new AboutWindow(this);
}

} // namespace tessaline
