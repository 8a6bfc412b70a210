#pragma once

#include "Finish.h"

#include <QImage>
#include <QRect>
#include <QSize>

namespace frameart {

// Pictures of size pixels (the catalogue's frame size), transparent outside the device, with the screen
// filled exactly. The shapes are drawn for the catalogue's sizes: the lid with the screen centred across it
// and the base below; the display with its chin, and the stand below.
//
// An open laptop seen from the front: the lid's glass front with the screen and the base's front edge.
QImage drawLaptop(QSize size, const QRect& screen, const Finish& finish, bool withMark);
// A desktop display on its stand: glass front, metal chin, stand and foot.
QImage drawDesktop(QSize size, const QRect& screen, const Finish& finish, bool withMark);

} // namespace frameart
