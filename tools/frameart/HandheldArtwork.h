#pragma once

#include "Finish.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <vector>

namespace frameart {

// A phone or tablet seen from the front: a rounded metal body, a glass front, the screen, a camera, a home
// button, and buttons standing out from the body's edges.
struct HandheldShape
{
    struct Button
    {
        Qt::Edge edge;
        double from; // along the edge, in picture pixels
        double to;
    };

    double buttonDepth;   // how far buttons stand out; the body is inset by this on every side
    double cornerRadius;  // of the body
    double rimWidth;      // the metal band around the glass front
    double earpieceWidth; // zero: no earpiece
    double cameraRadius;
    double homeButtonRadius;
    std::vector<Button> buttons;
};

// The shape for a variant identifier's model ("iPhone7...", "iPhoneSE...", "iPadPro97...", "iPadMini4...").
HandheldShape handheldShapeForVariant(const QString& identifier);

// The frame picture: size pixels, transparent outside the device, screen filled exactly.
QImage drawHandheld(QSize size, const QRect& screen, const HandheldShape& shape, const Finish& finish);

} // namespace frameart
