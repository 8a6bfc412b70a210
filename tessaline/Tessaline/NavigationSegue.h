#pragma once

#include "appkit/StoryboardSegue.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

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
};

} // namespace tessaline
