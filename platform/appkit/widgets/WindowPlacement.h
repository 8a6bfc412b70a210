#pragma once

#include <QMargins>
#include <QPoint>

class QScreen;
class QWidget;

namespace appkit {

// Where a top-level window goes when it is first shown: wholly inside the available area of the screen of
// the window the user works in, title bar and frame included (a window too large for it is made smaller),
// so that no part of it is out of reach. The frame is not known before the window is shown; the
// reference window's frame, or the style's idea of one, stands in for it.
class WindowPlacement
{
public:
    // Centred over reference; without one, centred on the primary screen.
    static void centreOver(QWidget& window, const QWidget* reference);
    // Down and to the right of reference by one step; without one, centred on the primary screen.
    static void cascadeFrom(QWidget& window, const QWidget* reference);
    // Exactly where replaced is, at its size.
    static void takePlaceOf(QWidget& window, const QWidget& replaced);

    static constexpr int cascadeStep = 24;

private:
    // Moves window so that its frame's top-left corner is at frameTopLeft, or as near as keeps the frame
    // on screen.
    static void place(QWidget& window, QPoint frameTopLeft, const QScreen* screen, const QMargins& frame);
};

} // namespace appkit
