#include "canvas/EmptyCanvasLabel.h"

#include <QPalette>

namespace pelorama::canvas {

EmptyCanvasLabel::EmptyCanvasLabel(QWidget& view)
    : tessaline::MarkupLabel(&view)
{
    setAlignment(graphics::TextAlignment::center);
    setTextColor(graphics::Color::fromQColor(view.palette().color(QPalette::Disabled, QPalette::WindowText)));
    setMarkupStringValue(
        QStringLiteral("**No screenshot selected**\n\nAdd a screenshot from a template to edit it here."));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    place();
}

void EmptyCanvasLabel::place()
{
    const QWidget* view = parentWidget();
    const int labelHeight = heightForWidth(view->width());
    setGeometry(0, (view->height() - labelHeight) / 2, view->width(), labelHeight);
}

} // namespace pelorama::canvas
