#include "tessaline/Tessaline/ColorPickerButtonCell.h"

#include "foundation/Diagnostics.h"
#include "tessaline/Tessaline/ColorPickerButton.h"

#include <QPainter>
#include <QPainterPath>

namespace tessaline {

QRectF ColorPickerButtonCell::swatchRect(const QRectF& frame, const QMarginsF& insets)
{
    // The swatch loses its extra point at the top edge, as a y-up drawing that keeps its bottom does.
    const QRectF swatch(frame.x() + insets.left() + 0.5, frame.y() + insets.top() + 1,
                        frame.width() - (insets.left() + insets.right() + 1),
                        frame.height() - (insets.top() + insets.bottom() + 1));
    return swatch.adjusted(3, 3, -3, -3);
}

void ColorPickerButtonCell::drawInterior(QPainter& painter, const QRectF& frame, QWidget* controlView) const
{
    auto* button = qobject_cast<ColorPickerButton*>(controlView);
    if (!button) {
        foundation::warning(
            QStringLiteral("ColorPickerButtonCell without ColorPickerButton as control view!"));
        return;
    }
    QPainterPath path;
    path.addRoundedRect(swatchRect(frame, button->alignmentRectInsets()), 2, 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, button->color().toQColor());
    // Clipped to the swatch, the outline keeps only its inner half.
    painter.setClipPath(path);
    painter.strokePath(path, QPen(QColor::fromRgbF(0, 0, 0, 0.2), 1));
}

} // namespace tessaline
