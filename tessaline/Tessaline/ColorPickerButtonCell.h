#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QRectF>

class QPainter;
class QWidget;

namespace tessaline {

// Draws the inside of a ColorPickerButton: a rounded swatch of the button's colour.
class TESSALINE_WIDGETS_EXPORT ColorPickerButtonCell
{
public:
    // The swatch for a cell frame and the control's alignment insets, in y-down widget coordinates:
    // the frame less the insets and one point at the right and the top, moved half a point right, then
    // inset by 3 points on every side.
    static QRectF swatchRect(const QRectF& frame, const QMarginsF& alignmentInsets);

    // Fills the swatch with the button's colour, corner radius 2, and outlines its inside with black at
    // 20 % opacity. A control view that is not a ColorPickerButton gets a warning and nothing is drawn.
    void drawInterior(QPainter& painter, const QRectF& frame, QWidget* controlView) const;
};

} // namespace tessaline
