#pragma once

#include "appkit/widgets/StoryboardSegue.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QList>

namespace appkit {
class ViewController;
} // namespace appkit

namespace tessaline {

class NavigationController;

// A segue that changes the stack of the navigation controller above its source.
class TESSALINE_WIDGETS_EXPORT NavigationSegue : public appkit::StoryboardSegue
{
public:
    using appkit::StoryboardSegue::StoryboardSegue;

    // The nearest navigation controller among the source and its parent controllers. Stops the process
    // when there is none: that is a fault of how the interface was put together.
    NavigationController* findNavigationController() const;

    // Shows the destination, when it is a view controller, filling the navigation controller's content
    // view, on top of the controllers keptControllers leaves on the stack.
    void perform() override;

protected:
    // Leaves on navigation's stack the controllers that stay below the destination, and answers them:
    // here, the whole stack.
    virtual QList<appkit::ViewController*> keptControllers(NavigationController& navigation);
};

} // namespace tessaline
