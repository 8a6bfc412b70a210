#include "model/rendering/TextRendering.h"

#include "tessaline/Shared/MarkupParser.h"

#include <cmath>

namespace pelorama::model {

graphics::AttributedString styledCaptionText(const QString& text, const graphics::Font& font,
                                             const graphics::Color& color, graphics::TextAlignment alignment)
{
    tessaline::MarkupParser parser(font);
    parser.setColor(color);
    parser.setParagraphStyle(graphics::ParagraphStyle{alignment});
    return parser.parse(text);
}

double captionTextHeight(const graphics::AttributedString& text, double width)
{
    return text.heightForWidth(width);
}

double captionTextY(const graphics::Rect& rect, double textHeight, VerticalAlignment alignment)
{
    switch (alignment) {
    case VerticalAlignment::center:
        return rect.midY() - 0.5 * textHeight;
    case VerticalAlignment::bottom:
        return rect.minY();
    case VerticalAlignment::top:
        break;
    }
    return rect.maxY() - textHeight;
}

double directionalShadowLength(graphics::Size canvasSize, double depth)
{
    return depth * std::hypot(canvasSize.width, canvasSize.height);
}

} // namespace pelorama::model
