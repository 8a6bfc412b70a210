#include "app/export/ProgressWindowController.h"

#include "app/export/AnimatableProgressIndicator.h"
#include "app/export/ProgressIndicatorAnimation.h"
#include "document/ExportJob.h"

#include <QApplication>
#include <QCloseEvent>
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

void ProgressWindowController::showProgress(std::unique_ptr<document::ExportJob> job, Done done)
{
    // Both belong to the window, which deletes itself once its session has ended.
    auto* controller = new ProgressWindowController;
    document::ExportJob* running = job.release();
    running->setParent(controller);
    connect(running, &document::ExportJob::progressChanged, controller,
            &ProgressWindowController::setProgress);
    connect(running, &document::ExportJob::finished, controller, &ProgressWindowController::finish);
    connect(controller, &ProgressWindowController::sessionEnded, controller,
            [controller, running, done = std::move(done)] {
                controller->deleteLater();
                if (done)
                    done(*running);
            });
    controller->beginSession();
    running->start();
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
}

void ProgressWindowController::setProgress(double progress)
{
    m_progress = progress;
    m_progressIndicator->animateTo(progress);
}

void ProgressWindowController::finish()
{
    if (!m_sessionRunning || m_finishing)
        return;
    m_finishing = true;
    // The completion runs inside the animation's last step; the window goes once that step is over.
    m_progressIndicator->animateTo(100, [this] { QTimer::singleShot(0, this, [this] { endSession(); }); });
    // A guard in case no animation timer runs (the bar then just stands at its last step).
    QTimer::singleShot(10 * ProgressIndicatorAnimation::durationMilliseconds, this, [this] { endSession(); });
}

void ProgressWindowController::endSession()
{
    if (!m_sessionRunning)
        return;
    if (ProgressIndicatorAnimation* animation = m_progressIndicator->animation())
        animation->stop();
    m_sessionRunning = false;
    hide();
    if (m_previousKeyWindow) {
        m_previousKeyWindow->activateWindow();
        m_previousKeyWindow->raise();
    }
    emit sessionEnded();
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
