#include "FrameArtwork.h"

#include "ComputerArtwork.h"
#include "Finish.h"
#include "HandheldArtwork.h"

namespace frameart {

QImage drawFrame(const pelorama::model::DeviceFamily& family, const pelorama::model::DeviceVariant& variant)
{
    const QRect screen = variant.screenshotRect().toQRectF().toRect();
    const Finish finish = finishForVariant(variant.identifier());
    const bool withMark = !variant.identifier().contains(QLatin1String("NoLogo"));
    if (family.isOrientable()) {
        // A turned device turns about its centre, so the screen sits in the middle of the picture.
        const QSize size(2 * screen.left() + screen.width(), 2 * screen.top() + screen.height());
        return drawHandheld(size, screen, handheldShapeForVariant(variant.identifier()), finish);
    }
    if (family.identifier() == QLatin1String("MacBook"))
        return drawLaptop(screen, finish, withMark);
    if (family.identifier() == QLatin1String("iMac"))
        return drawDesktop(screen, finish, withMark);
    return {};
}

} // namespace frameart
