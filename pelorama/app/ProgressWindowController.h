#pragma once

#include "app/AnimatableProgressIndicator.h"

#include <QDialog>
#include <QPointer>
#include <functional>

namespace pelorama::app {

// A small modal window with a progress bar, shown while work runs on the main thread (the export of
// every screenshot). Every other window is blocked while it is up. Each change of progress animates the
// bar and lets the window draw and handle its events before the work goes on; when the work is done the
// bar moves to 100 %, the window closes and the window that was active before becomes active again.
class ProgressWindowController : public QDialog
{
    Q_OBJECT

public:
    using Work = std::function<void(ProgressWindowController& controller)>;

    // Runs work with a new controller while its window is shown. The session ends, the window closes and
    // focus goes back in every case: also when the work throws, whose exception then reaches the caller.
    static void showProgress(const Work& work);

    explicit ProgressWindowController(QWidget* parent = nullptr);
    ~ProgressWindowController() override;

    // Percent, 0 to 100.
    double progress() const { return m_progress; }
    void setProgress(double progress);

    AnimatableProgressIndicator* progressIndicator() const { return m_progressIndicator; }
    bool isSessionRunning() const { return m_sessionRunning; }

protected:
    // The user cannot close the window while the work runs.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void beginSession();
    // Animates the bar to 100 and returns once it is there.
    void completeBar();
    void endSession();

    QPointer<AnimatableProgressIndicator> m_progressIndicator;
    double m_progress = 0;
    bool m_sessionRunning = false;
    QPointer<QWidget> m_previousKeyWindow;
};

} // namespace pelorama::app
