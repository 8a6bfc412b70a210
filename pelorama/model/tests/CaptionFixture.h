#pragma once

#include "DocumentStack.h"
#include "graphics/Font.h"
#include "graphics/Rect.h"
#include "model/entities/TextRect.h"

#include <QString>
#include <gtest/gtest.h>

// Captions in an in-memory document, in a font whose lines are tens of pixels high.
class CaptionFixture : public testing::Test
{
protected:
    pelorama::model::TextRect*
    makeCaption(const QString& text, const graphics::Rect& rect,
                pelorama::model::VerticalAlignment vertical = pelorama::model::VerticalAlignment::top,
                graphics::TextAlignment horizontal = graphics::TextAlignment::left)
    {
        pelorama::model::TextRect* caption =
            pelorama::model::TextRect::insertInto(*stack.context, rect, text, horizontal, vertical);
        // Inter, which the setup installs, at a size whose lines are tens of pixels high.
        caption->setFont(graphics::Font(QStringLiteral("HelveticaNeue"), 40));
        return caption;
    }

    DocumentStack stack = DocumentStack::inMemory();
};
