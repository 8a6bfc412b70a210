#pragma once

#include "appkit/ViewController.h"
#include "tessaline/Shared/TessalineExport.h"

namespace tessaline {

// The class of a controller that appears in a navigation stack; it adds nothing to a view controller.
class TESSALINE_EXPORT NavigationItemViewController : public appkit::ViewController
{
    Q_OBJECT

public:
    using appkit::ViewController::ViewController;
};

} // namespace tessaline
