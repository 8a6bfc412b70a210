#include "templates/LayoutSupport.h"

#include "foundation/Fatal.h"
#include "model/DeviceFamily.h"
#include "model/DeviceImage.h"
#include "model/Screenshot.h"
#include "model/TextRect.h"
#include "templates/Builder.h"
#include "templates/FontResolution.h"

namespace pelorama::templates::layout {

graphics::Size canvasSize(const templates::Builder& builder)
{
    return builder.screenshot().size();
}

model::TextRect& addCaption(templates::Builder& builder, const graphics::Rect& rect,
                            graphics::TextAlignment alignment)
{
    return builder.addText(rect, QStringLiteral("Your text here!"), alignment,
                           model::VerticalAlignment::center);
}

model::TextRect& addCaptionAbove(templates::Builder& builder, double bottom)
{
    const graphics::Size size = canvasSize(builder);
    return addCaption(builder, graphics::Rect(0, bottom, size.width, size.height - bottom).insetBy(50, 25));
}

model::TextRect& addCaptionBelow(templates::Builder& builder, double top)
{
    return addCaption(builder, graphics::Rect(0, 0, canvasSize(builder).width, top).insetBy(50, 25));
}

void settleDevice(model::DeviceImage& device, const QString& familyIdentifier,
                  model::DeviceOrientation orientation)
{
    const model::DeviceFamily* family = model::DeviceFamily::findWithIdentifier(familyIdentifier);
    if (!family)
        foundation::fatal("The device catalogue has no family \"" + familyIdentifier + "\"");
    device.setDeviceFamily(*family);
    if (orientation != model::DeviceOrientation::portrait)
        device.setOrientation(orientation);
}

void useThinFont(model::TextRect& caption, double pointSize)
{
    caption.setFont(resolvedFont(QStringLiteral("HelveticaNeue-Thin"), pointSize));
}

} // namespace pelorama::templates::layout
