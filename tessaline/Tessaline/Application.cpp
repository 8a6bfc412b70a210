#include "tessaline/Tessaline/Application.h"

#include "tessaline/Tessaline/AboutWindowController.h"

namespace tessaline {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{}

void Application::orderFrontStandardAboutPanel(QObject*)
{
    AboutWindowController::instance().showWindow();
}

} // namespace tessaline
