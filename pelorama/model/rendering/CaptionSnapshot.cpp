#include "model/rendering/CaptionSnapshot.h"

#include "model/entities/TextRect.h"

namespace pelorama::model {

CaptionSnapshot CaptionSnapshot::of(const TextRect& textRect, const QString& language)
{
    return {textRect.rect(),
            {textRect.text(language), textRect.font().value_or(graphics::Font::systemFont()),
             textRect.color().value_or(graphics::Color{0, 0, 0, 1}), textRect.horizontalAlignment()},
            textRect.verticalAlignment(),
            ShadowSettings::of(textRect)};
}

} // namespace pelorama::model
