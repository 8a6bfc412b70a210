#include "tessaline/Tessaline/PushSegue.h"

#include "foundation/Fatal.h"
#include "tessaline/Tessaline/NavigationController.h"
#include "tessaline/Tessaline/ViewPinning.h"

namespace tessaline {

void PushSegue::perform()
{
    NavigationController* navigation = findNavigationController();
    if (!qobject_cast<appkit::ViewController*>(destinationController())) {
        return;
    }
    QWidget* contentView = navigation->contentView();
    if (!contentView) {
        foundation::fatal(QStringLiteral("Navigation controller has no content view"));
    }
    auto* destination = static_cast<appkit::ViewController*>(takeDestination().release());
    navigation->addChildViewController(destination);
    addAndPin(contentView, destination->view());
    QList<appkit::ViewController*> stack = navigation->navigationStack();
    stack.append(destination);
    navigation->setNavigationStack(stack);
}

} // namespace tessaline
