#include "tessaline/Tessaline/ViewControllerInstantiation.h"

#include "appkit/widgets/Storyboard.h"
#include "appkit/widgets/ViewController.h"
#include "tessaline/Tessaline/ViewPinning.h"

#include <QWidget>

namespace tessaline {

std::unique_ptr<appkit::ViewController>
instantiateViewControllerWithIdentifier(const appkit::ViewController& receiver, const QString& identifier,
                                        QWidget* pinInsideSubview)
{
    const std::shared_ptr<const appkit::Storyboard> storyboard = receiver.storyboard();
    if (!storyboard) {
        return nullptr;
    }
    std::unique_ptr<appkit::ViewController> controller = storyboard->instantiateController(identifier);
    if (!controller || !pinInsideSubview) {
        return controller;
    }
    QWidget* view = controller->view();
    view->setParent(pinInsideSubview);
    view->show();
    pinWidthAndHeight(pinInsideSubview, view);
    return controller;
}

} // namespace tessaline
