#include "FrameArtwork.h"

#include "ComputerArtwork.h"
#include "Finish.h"
#include "HandheldArtwork.h"

namespace frameart {

QImage drawFrame(const pelorama::model::DeviceFamily& family, const pelorama::model::DeviceVariant& variant)
{
    const QRect screen = variant.screenshotRect().toQRectF().toRect();
    const QSize size = variant.frameSize().toQSizeF().toSize();
    const Finish finish = finishForVariant(variant.identifier());
    const bool withMark = !variant.identifier().contains(QLatin1String("NoLogo"));
    if (!QRect(QPoint(), size).contains(screen))
        return {};
    if (family.isOrientable()) {
        // A turned device turns about the picture's centre, where its screen must be.
        if (2 * screen.left() + screen.width() != size.width() ||
            2 * screen.top() + screen.height() != size.height())
            return {};
        return drawHandheld(size, screen, handheldShapeForVariant(variant.identifier()), finish);
    }
    if (family.identifier() == QLatin1String("MacBook"))
        return drawLaptop(size, screen, finish, withMark);
    if (family.identifier() == QLatin1String("iMac"))
        return drawDesktop(size, screen, finish, withMark);
    return {};
}

} // namespace frameart
