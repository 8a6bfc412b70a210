#include "tessaline/Tessaline/ReplaceSegue.h"

#include "foundation/Fatal.h"
#include "tessaline/Tessaline/NavigationController.h"
#include "tessaline/Tessaline/ViewPinning.h"

namespace tessaline {

void ReplaceSegue::perform()
{
    NavigationController* navigation = findNavigationController();
    if (!qobject_cast<appkit::ViewController*>(destinationController())) {
        return;
    }
    QWidget* contentView = navigation->contentView();
    if (!contentView) {
        foundation::fatal(QStringLiteral("Navigation controller has no content view"));
    }
    for (appkit::ViewController* controller : navigation->navigationStack()) {
        // The controller is released here unless someone else owns it; its view goes with it.
        std::unique_ptr<appkit::ViewController> removed = controller->removeFromParentViewController();
        if (controller->isViewLoaded()) {
            controller->view()->hide();
            controller->view()->setParent(nullptr);
        }
    }
    auto* destination = static_cast<appkit::ViewController*>(takeDestination().release());
    navigation->addChildViewController(destination);
    addAndPin(contentView, destination->view());
    navigation->setNavigationStack({destination});
}

} // namespace tessaline
