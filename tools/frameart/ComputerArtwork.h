#pragma once

#include "Finish.h"

#include <QImage>
#include <QRect>
#include <QSize>

namespace frameart {

// The laptop frame's picture size: the lid with the screen centred across it, and the base below.
inline constexpr QSize laptopSize{4000, 2300};
// The desktop frame's picture size: the display with its chin, and the stand below.
inline constexpr QSize desktopSize{3000, 2450};

// An open laptop seen from the front: the lid's glass front with the screen and the base's front edge.
QImage drawLaptop(const QRect& screen, const Finish& finish, bool withMark);
// A desktop display on its stand: glass front, metal chin, stand and foot.
QImage drawDesktop(const QRect& screen, const Finish& finish, bool withMark);

} // namespace frameart
