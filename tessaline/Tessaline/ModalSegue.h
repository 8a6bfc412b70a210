#pragma once

#include "tessaline/Tessaline/NavigationSegue.h"

namespace tessaline {

// Leaves the stack and the views as they are and presents nothing.
class TESSALINE_WIDGETS_EXPORT ModalSegue : public NavigationSegue
{
public:
    using NavigationSegue::NavigationSegue;

    void perform() override {}
};

} // namespace tessaline
