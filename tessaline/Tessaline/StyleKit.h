#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QRectF>

class QPainter;

namespace tessaline {

// The framework's drawings. Frames are in the painter's coordinates, y growing downwards; the one-point
// strips lie along the bottom edge of the frame, where the user sees them.
class TESSALINE_WIDGETS_EXPORT StyleKit
{
public:
    // A grey one-point strip along the bottom edge; above it white when opaqueBackground, else nothing.
    static void drawToolbar(QPainter& painter, const QRectF& frame = QRectF(0, 0, 30, 30),
                            bool opaqueBackground = true);
    // A light grey one-point line along the bottom edge.
    static void drawInspectorSection(QPainter& painter, const QRectF& frame = QRectF(0, 0, 30, 30));
};

} // namespace tessaline
