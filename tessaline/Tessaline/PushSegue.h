#pragma once

#include "tessaline/Tessaline/NavigationSegue.h"

namespace tessaline {

// Puts the destination on top of the navigation stack; the views below stay in place under it.
class TESSALINE_WIDGETS_EXPORT PushSegue : public NavigationSegue
{
public:
    using NavigationSegue::NavigationSegue;
};

} // namespace tessaline
