// Documents use timers and the event loop, the edit actions the clipboard; a QGuiApplication is made
// before the first test (headless: the test runner sets the offscreen platform), with the render
// resources a program makes at start-up.
#include "RenderResourcesEnvironment.h"

#include <QGuiApplication>

namespace {

testing::Environment* const environment = testing::AddGlobalTestEnvironment(
    new pelorama::model::RenderResourcesEnvironment<QGuiApplication>("DocumentTest"));

} // namespace
