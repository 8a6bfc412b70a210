#pragma once

#include "tessaline/Tessaline/NavigationSegue.h"

namespace tessaline {

// Replaces the whole navigation stack by the destination; every stacked controller and its view go.
class TESSALINE_WIDGETS_EXPORT ReplaceSegue : public NavigationSegue
{
public:
    using NavigationSegue::NavigationSegue;

protected:
    QList<appkit::ViewController*> keptControllers(NavigationController& navigation) override;
};

} // namespace tessaline
