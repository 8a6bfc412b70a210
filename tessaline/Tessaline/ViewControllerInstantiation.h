#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QString>
#include <memory>

class QWidget;

namespace appkit {
class ViewController;
}

namespace tessaline {

// Makes the controller named identifier from receiver's storyboard and pins its view inside subview.
// Null, with nothing added, when receiver has no storyboard or the storyboard makes no such controller.
// The new controller is not made a child of receiver: the caller owns it.
TESSALINE_WIDGETS_EXPORT std::unique_ptr<appkit::ViewController>
instantiateViewControllerWithIdentifier(const appkit::ViewController& receiver, const QString& identifier,
                                        QWidget* pinInsideSubview);

} // namespace tessaline
