#pragma once

#include "appkit/widgets/RectEdge.h"

#include <QPointer>
#include <QWidget>

namespace appkit {

class ViewController;

// A popover: a borderless window that shows a controller's view beside an edge of a widget, with an
// arrow pointing at it. A transient popover takes the keyboard and closes when the user clicks outside it
// or presses Escape. A passive one only tells something: it takes neither the keyboard nor a click (which
// goes to whatever is under it), so the user works on undisturbed; it closes at the next mouse press
// anywhere in the application, or when the window of the widget it points at hides.
class Popover : public QWidget
{
    Q_OBJECT

public:
    enum class Behavior
    {
        transient,
        passive,
    };

    // Side length of the arrow and width of the frame line, in points.
    static constexpr int arrowSize = 8;
    static constexpr int frameWidth = 1;

    explicit Popover(QWidget* parent = nullptr);
    ~Popover() override;

    // The controller whose view is shown. It is not owned unless it is a QObject child of the popover; a
    // controller that is not owned gets its view back, detached, when the popover closes.
    ViewController* contentViewController() const;
    void setContentViewController(ViewController* controller);

    // When set, the popover deletes itself after closing, so nothing needs to hold a shown popover.
    void setReleasedWhenClosed(bool released);

    Behavior behavior() const { return m_behavior; }
    // Chosen before the popover is shown; transient unless set.
    void setBehavior(Behavior behavior);

    // Shows the popover beside rect, given in view's coordinates (an empty rect means the whole view), on
    // preferredEdge; the opposite edge is taken when the screen has no room there.
    void showRelativeTo(const QRect& rect, QWidget* view, RectEdge preferredEdge);
    RectEdge shownEdge() const { return m_edge; }
    bool isShown() const { return isVisible(); }

signals:
    void didClose();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installContentView();
    void detachContentView();
    void applyMargins();

    QPointer<ViewController> m_controller;
    QPointer<QWidget> m_contentView;
    // The window of the widget a passive popover points at.
    QPointer<QWidget> m_anchorWindow;
    Behavior m_behavior = Behavior::transient;
    RectEdge m_edge = RectEdge::bottom;
    // Where the arrow's tip points, in the popover's coordinates.
    QPoint m_arrowTip;
    bool m_releasedWhenClosed = false;
};

} // namespace appkit
