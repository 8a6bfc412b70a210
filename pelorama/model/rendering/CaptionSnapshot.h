#pragma once

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/ParagraphStyle.h"
#include "graphics/Rect.h"
#include "model/entities/ShadowSettings.h"
#include "model/entities/VerticalAlignment.h"

#include <QString>
#include <QStringList>

namespace pelorama::model {

class TextRect;

// What styles a caption's text: the styled text (and so its layout at a width, and the mask a directional
// shadow is cast from) depends on these alone.
struct CaptionStyle
{
    QString text; // in the inline markup
    graphics::Font font;
    graphics::Color color;
    graphics::TextAlignment alignment = graphics::TextAlignment::left;

    friend bool operator==(const CaptionStyle&, const CaptionStyle&) = default;
};

// What a text rect is drawn from (CaptionRenderer), as plain values. A caption without a readable font
// or colour draws in a new caption's (TextRect::font, color).
struct CaptionSnapshot
{
    graphics::Rect rect;
    CaptionStyle style;
    VerticalAlignment verticalAlignment = VerticalAlignment::top;
    ShadowSettings shadow;

    // On the text rect's context queue; with its text in language (TextRect::text), the base text for
    // an empty language.
    static CaptionSnapshot of(const TextRect& textRect, const QString& language = {});

    friend bool operator==(const CaptionSnapshot&, const CaptionSnapshot&) = default;
};

} // namespace pelorama::model
