#include "appkit/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace appkit {
namespace {

// The frame the window manager will put around window: as around reference, or, where that is not
// known (no reference, or one without a frame so far), the style's guess of a title bar and borders.
QMargins frameMargins(const QWidget& window, const QWidget* reference)
{
    if (reference) {
        const QRect frame = reference->frameGeometry();
        const QRect content = reference->geometry();
        const QMargins margins(content.left() - frame.left(), content.top() - frame.top(),
                               frame.right() - content.right(), frame.bottom() - content.bottom());
        if (!margins.isNull())
            return margins;
    }
    const QStyle* style = window.style();
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    return {border, title + border, border, border};
}

const QScreen* screenOf(const QWidget* reference)
{
    const QScreen* screen = reference ? reference->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

QSize frameSize(const QWidget& window, const QMargins& frame)
{
    return window.size().grownBy(frame);
}

} // namespace

void WindowPlacement::centreOver(QWidget& window, const QWidget* reference)
{
    const QScreen* screen = screenOf(reference);
    const QMargins frame = frameMargins(window, reference);
    const QRect area = reference ? reference->frameGeometry()
                       : screen  ? screen->availableGeometry()
                                 : QRect();
    const QSize size = frameSize(window, frame);
    place(window, area.center() - QPoint(size.width() / 2, size.height() / 2), screen, frame);
}

void WindowPlacement::cascadeFrom(QWidget& window, const QWidget* reference)
{
    if (!reference) {
        centreOver(window, nullptr);
        return;
    }
    place(window, reference->frameGeometry().topLeft() + QPoint(cascadeStep, cascadeStep),
          screenOf(reference), frameMargins(window, reference));
}

void WindowPlacement::takePlaceOf(QWidget& window, const QWidget& replaced)
{
    window.resize(replaced.size());
    place(window, replaced.frameGeometry().topLeft(), screenOf(&replaced), frameMargins(window, &replaced));
}

void WindowPlacement::place(QWidget& window, QPoint frameTopLeft, const QScreen* screen,
                            const QMargins& frame)
{
    const QRect available = screen ? screen->availableGeometry() : QRect();
    if (!available.isValid()) {
        window.move(frameTopLeft);
        return;
    }
    const QSize room = available.size().shrunkBy(frame);
    if (window.width() > room.width() || window.height() > room.height())
        window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize()));
    const QSize size = frameSize(window, frame);
    // Where the window is larger than the screen even so, its top-left corner stays on it.
    const int x = std::clamp(frameTopLeft.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - size.width()));
    const int y = std::clamp(frameTopLeft.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - size.height()));
    window.move(x, y);
}

} // namespace appkit
