#pragma once

#include "app/export/AnimatableProgressIndicator.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

namespace pelorama::document {
class ExportJob;
} // namespace pelorama::document

namespace pelorama::app {

// A small modal window with a progress bar, shown while a job runs off the main thread (the export of
// every screenshot). Every other window is blocked while it is up; the event loop goes on as always, so
// the window draws and the job's progress reaches it. Each change of progress animates the bar; when the
// work is done the bar moves to 100 %, the window closes and the window that was active before becomes
// active again.
class ProgressWindowController : public QDialog
{
    Q_OBJECT

public:
    using Done = std::function<void(const document::ExportJob& job)>;

    // Shows a new progress window that follows job, which it takes over, and starts the job. Returns at
    // once. Once the job has finished and the bar stands at 100, the window closes, done is called with
    // the job, and window and job are deleted.
    static void showProgress(std::unique_ptr<document::ExportJob> job, Done done);

    explicit ProgressWindowController(QWidget* parent = nullptr);
    ~ProgressWindowController() override;

    // Shows the window over the window that is active now, before any work begins.
    void beginSession();
    // Percent, 0 to 100.
    double progress() const { return m_progress; }
    void setProgress(double progress);
    // The work is done: the bar moves to 100, then the session ends (see sessionEnded).
    void finish();

    AnimatableProgressIndicator* progressIndicator() const { return m_progressIndicator; }
    bool isSessionRunning() const { return m_sessionRunning; }

signals:
    // The bar stands at 100, the window has closed and the window active before is active again.
    void sessionEnded();

protected:
    // The user cannot close the window while the work runs.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void endSession();

    QPointer<AnimatableProgressIndicator> m_progressIndicator;
    double m_progress = 0;
    bool m_sessionRunning = false;
    bool m_finishing = false;
    QPointer<QWidget> m_previousKeyWindow;
};

} // namespace pelorama::app
