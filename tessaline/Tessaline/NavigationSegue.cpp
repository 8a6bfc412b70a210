#include "tessaline/Tessaline/NavigationSegue.h"

#include "foundation/Fatal.h"
#include "tessaline/Tessaline/NavigationController.h"

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

} // namespace tessaline
