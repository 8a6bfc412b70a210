#include "model/rendering/StyleKit.h"

#include "graphics/AttributedString.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Path.h"
#include "graphics/Shadow.h"

#include <algorithm>
#include <cmath>

namespace pelorama::model {

namespace {

graphics::Color grey(double white)
{
    return {white, white, white, 1};
}

graphics::Shadow outlineShadow()
{
    return graphics::Shadow{graphics::Color{0, 0, 0, 1}, {0, 0}, 1};
}

void strokePath(graphics::GraphicsContext& context, graphics::Path path, const graphics::Color& color,
                double lineWidth)
{
    path.setLineWidth(lineWidth);
    context.setStrokeColor(color);
    context.strokePath(path);
}

// The outline and the text shared by both placeholders.
void drawPlaceholder(graphics::GraphicsContext& context, const graphics::Rect& outline,
                     const graphics::Color& outlineColor, const graphics::Rect& textBox)
{
    context.save();
    context.setShadow(outlineShadow());
    strokePath(context, graphics::Path::roundedRect(outline, 16, 16), outlineColor, 2);
    context.restore();

    graphics::TextAttributes attributes;
    attributes.font = graphics::Font::systemFont(28);
    attributes.foregroundColor = graphics::Color{1, 1, 1, 1};
    attributes.paragraphStyle = graphics::ParagraphStyle{graphics::TextAlignment::center};
    const graphics::AttributedString text(QStringLiteral("Drag image here"), attributes);
    const double textHeight = text.heightForWidth(textBox.width());

    context.save();
    context.setShadow(outlineShadow());
    context.clipToRect(textBox);
    const graphics::Rect textRect(textBox.minX(), textBox.minY() + (textBox.height() - textHeight) / 2,
                                  textBox.width(), textHeight);
    text.draw(context, textRect.offsetBy(0, 1));
    context.restore();
}

} // namespace

std::optional<StyleKit::ResizingBehavior> StyleKit::resizingBehavior(qint64 rawValue)
{
    if (rawValue < 0 || rawValue > 3)
        return std::nullopt;
    return static_cast<ResizingBehavior>(rawValue);
}

graphics::Rect StyleKit::apply(ResizingBehavior behavior, const graphics::Rect& rect,
                               const graphics::Rect& target)
{
    if (rect == target || target == graphics::Rect::zero())
        return rect;
    const graphics::Rect design = rect.standardized();
    if (!(design.width() > 0 && design.height() > 0))
        return rect;
    const double sx = std::abs(target.width() / design.width());
    const double sy = std::abs(target.height() / design.height());
    double scaleX = std::min(sx, sy);
    double scaleY = scaleX;
    switch (behavior) {
    case ResizingBehavior::aspectFill:
        scaleX = scaleY = std::max(sx, sy);
        break;
    case ResizingBehavior::stretch:
        scaleX = sx;
        scaleY = sy;
        break;
    case ResizingBehavior::center:
        scaleX = scaleY = 1;
        break;
    case ResizingBehavior::aspectFit:
        break;
    }
    const double width = design.width() * scaleX;
    const double height = design.height() * scaleY;
    return {target.minX() + (target.width() - width) * 0.5, target.minY() + (target.height() - height) * 0.5,
            width, height};
}

void StyleKit::drawImagePlaceholder(graphics::GraphicsContext& context, const graphics::Rect& frame)
{
    const double x = frame.minX();
    const double y = frame.minY();
    const double w = frame.width();
    const double h = frame.height();
    drawPlaceholder(context, graphics::Rect(x + 2.5, y + 2.5, w - 5, h - 5), graphics::Color{1, 1, 1, 0.8},
                    graphics::Rect(x + 9, y + 9, w - 18, h - 18));
}

void StyleKit::drawDeviceImagePlaceholder(graphics::GraphicsContext& context, const graphics::Rect& frame)
{
    const double x = frame.minX();
    const double y = frame.minY();
    const double w = frame.width();
    const double h = frame.height();
    drawPlaceholder(context, graphics::Rect(x + 9.5, y + 9.5, w - 19, h - 19), grey(0.681),
                    graphics::Rect(x + 13, y + 13, w - 26, h - 26));
}

void StyleKit::drawEmptyBox(graphics::GraphicsContext& context, const graphics::Rect& frame)
{
    constexpr double a = 0.00625;
    constexpr double b = 0.99375;
    const auto at = [&](double fx, double fy) {
        return graphics::Point{frame.minX() + fx * frame.width(), frame.minY() + fy * frame.height()};
    };
    graphics::Path path;
    path.moveTo(at(a, a));
    path.lineTo(at(b, a));
    path.lineTo(at(b, b));
    path.lineTo(at(a, b));
    path.closeSubpath();
    path.moveTo(at(a, b));
    path.lineTo(at(0.54864, 0.45696));
    path.lineTo(at(b, a));
    path.moveTo(at(b, b));
    path.lineTo(at(a, a));

    context.save();
    context.setShadow(outlineShadow());
    strokePath(context, path, graphics::Color{1, 1, 1, 1}, 1);
    context.restore();
}

} // namespace pelorama::model
