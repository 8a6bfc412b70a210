#include "app/ProgressWindowController.h"

#include "app/AnimatableProgressIndicator.h"
#include "app/ProgressIndicatorAnimation.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace pelorama::app {

ProgressWindowController::ProgressWindowController(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint)
    , m_progressIndicator(new AnimatableProgressIndicator(this))
{
    // A plain window: no title, no buttons in its frame.
    setWindowTitle(QString());
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(m_progressIndicator);
    setFixedSize(360, 64);
}

ProgressWindowController::~ProgressWindowController() = default;

void ProgressWindowController::showProgress(const Work& work)
{
    ProgressWindowController controller;
    controller.beginSession();
    try {
        work(controller);
    } catch (...) {
        controller.endSession();
        throw;
    }
    controller.completeBar();
    controller.endSession();
}

void ProgressWindowController::setProgress(double progress)
{
    m_progress = progress;
    m_progressIndicator->animateTo(progress);
    if (m_sessionRunning)
        QCoreApplication::processEvents();
}

void ProgressWindowController::beginSession()
{
    m_previousKeyWindow = QApplication::activeWindow();
    m_sessionRunning = true;
    // Over the window whose work it shows.
    if (m_previousKeyWindow)
        move(m_previousKeyWindow->frameGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    // Shown and drawn before the work begins.
    QCoreApplication::processEvents();
}

void ProgressWindowController::completeBar()
{
    QEventLoop loop;
    m_progressIndicator->animateTo(100, [&loop] { loop.quit(); });
    // A guard in case no animation timer runs (the bar then just stands at its last step).
    QTimer::singleShot(10 * ProgressIndicatorAnimation::durationMilliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void ProgressWindowController::endSession()
{
    if (ProgressIndicatorAnimation* animation = m_progressIndicator->animation())
        animation->stop();
    m_sessionRunning = false;
    hide();
    if (m_previousKeyWindow) {
        m_previousKeyWindow->activateWindow();
        m_previousKeyWindow->raise();
    }
}

void ProgressWindowController::closeEvent(QCloseEvent* event)
{
    if (m_sessionRunning)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void ProgressWindowController::keyPressEvent(QKeyEvent* event)
{
    // Escape would reject the dialog.
    if (event->key() == Qt::Key_Escape && m_sessionRunning)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace pelorama::app
