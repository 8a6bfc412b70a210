#pragma once

#include "appkit/widgets/ViewController.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

namespace tessaline {

// The class of a controller that appears in a navigation stack; it adds nothing to a view controller.
class TESSALINE_WIDGETS_EXPORT NavigationItemViewController : public appkit::ViewController
{
    Q_OBJECT

public:
    using appkit::ViewController::ViewController;
};

} // namespace tessaline
