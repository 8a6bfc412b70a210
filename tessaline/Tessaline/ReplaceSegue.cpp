#include "tessaline/Tessaline/ReplaceSegue.h"

#include "tessaline/Tessaline/NavigationController.h"

namespace tessaline {

QList<appkit::ViewController*> ReplaceSegue::keptControllers(NavigationController& navigation)
{
    for (appkit::ViewController* controller : navigation.navigationStack()) {
        // The controller is released here unless someone else owns it; its view goes with it.
        std::unique_ptr<appkit::ViewController> removed = controller->removeFromParentViewController();
        if (controller->isViewLoaded()) {
            controller->view()->hide();
            controller->view()->setParent(nullptr);
        }
    }
    return {};
}

} // namespace tessaline
