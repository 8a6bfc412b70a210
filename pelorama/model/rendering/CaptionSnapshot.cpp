#include "model/rendering/CaptionSnapshot.h"

#include "model/entities/TextRect.h"

namespace pelorama::model {

CaptionSnapshot CaptionSnapshot::of(const TextRect& textRect, const QString& language)
{
    return {textRect.rect(),
            {textRect.text(language), textRect.font(), textRect.color(), textRect.horizontalAlignment()},
            textRect.verticalAlignment(),
            ShadowSettings::of(textRect)};
}

} // namespace pelorama::model
