#include "tessaline/Tessaline/NavigationSegue.h"

#include "foundation/Fatal.h"
#include "tessaline/Tessaline/NavigationController.h"
#include "tessaline/Tessaline/ViewPinning.h"

namespace tessaline {

NavigationController* NavigationSegue::findNavigationController() const
{
    for (auto* current = qobject_cast<appkit::ViewController*>(sourceController()); current;
         current = current->parentViewController()) {
        if (auto* navigation = qobject_cast<NavigationController*>(current)) {
            return navigation;
        }
    }
    foundation::fatal(QStringLiteral("Could not find navigation controller"));
}

QList<appkit::ViewController*> NavigationSegue::keptControllers(NavigationController& navigation)
{
    return navigation.navigationStack();
}

void NavigationSegue::perform()
{
    NavigationController* navigation = findNavigationController();
    if (!qobject_cast<appkit::ViewController*>(destinationController())) {
        return;
    }
    QWidget* contentView = navigation->contentView();
    if (!contentView) {
        foundation::fatal(QStringLiteral("Navigation controller has no content view"));
    }
    QList<appkit::ViewController*> stack = keptControllers(*navigation);
    auto* destination = static_cast<appkit::ViewController*>(takeDestination().release());
    navigation->addChildViewController(destination);
    addAndPin(contentView, destination->view());
    stack.append(destination);
    navigation->setNavigationStack(stack);
}

} // namespace tessaline
