#pragma once

// What the benchmarks of whole document windows share: the application's document controller, the
// event loop run until it has nothing left to do or until a condition holds, and a main that runs them
// offscreen at two pixels per point with settings of their own.
#include "app/AppDelegate.h"
#include "app/Document.h"
#include "appkit/core/Document.h"
#include "appkit/widgets/DocumentController.h"
#include "model/rendering/RenderResources.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace benchmarks {

// Runs the event loop until nothing is pending, objects deleted later included (outside a running event
// loop Qt would keep them until one runs).
inline void settle()
{
    QCoreApplication::sendPostedEvents();
    while (QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents))
        QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the event loop until done() holds, sleeping until the next event (from the render pool too) in
// between, so that the main thread's CPU time counts its work and not its waiting. Whatever makes done()
// hold must arrive as an event.
template <typename Condition> void runUntil(Condition done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// The application's documents; they are closed without asking when it goes.
class Documents
{
public:
    Documents() { m_controller.addDocumentType(pelorama::app::Document::documentType()); }
    ~Documents()
    {
        for (appkit::Document* open : m_controller.documents())
            open->closeWithoutAsking();
        QCoreApplication::processEvents();
    }
    Documents(const Documents&) = delete;
    Documents& operator=(const Documents&) = delete;

    appkit::DocumentController& controller() { return m_controller; }

private:
    appkit::DocumentController m_controller;
};

// The main of a window benchmark: offscreen and at two pixels per point unless the environment says
// otherwise, with the window's settings (pane widths, the picker's category) away from the user's.
inline int windowBenchmarkMain(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication application(argc, argv);
    // As the program starts.
    const pelorama::model::RenderResources::Program renderResources;
    pelorama::app::AppDelegate::initializeClass();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace benchmarks
