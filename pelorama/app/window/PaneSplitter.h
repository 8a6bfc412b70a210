#pragma once

#include <QPointer>
#include <QSplitter>
#include <vector>

class QVariantAnimation;

namespace pelorama::app {

// Panes side by side. Side panes keep their width when the splitter grows; the other panes take the
// rest; no pane gets narrower than the minimum width it had when it was added. A pane collapses (is
// hidden, taking no room) and expands again at the width it had, at once or with an animation of its
// width, during which it counts as collapsed or expanded already.
class PaneSplitter : public QSplitter
{
    Q_OBJECT

public:
    static constexpr int animationDurationMilliseconds = 250;

    explicit PaneSplitter(QWidget* parent = nullptr);

    // Puts pane at the right end.
    void addPane(QWidget* pane, bool isSidePane);

    bool isCollapsed(const QWidget* pane) const;
    bool isAnimating(const QWidget* pane) const;
    // Collapses or expands pane at once.
    void setCollapsed(QWidget* pane, bool collapsed);
    // Collapses or expands pane with an animation. paneSettled follows once the pane has settled, once
    // for every call: at once when the state does not change or the splitter is not shown; when another
    // change interrupts the animation, for both once the last one has ended.
    void setCollapsedAnimated(QWidget* pane, bool collapsed);

signals:
    void collapsedChanged(QWidget* pane, bool collapsed);
    void paneSettled(QWidget* pane);

private:
    struct Pane
    {
        QPointer<QWidget> widget;
        bool isSidePane = false;
        int minimumWidth = 0;
        bool collapsed = false;
        int expandedWidth = 0; // the width to come back to
        QPointer<QVariantAnimation> animation;
        int unsettledChanges = 0;
    };

    Pane* paneOf(const QWidget* widget);
    const Pane* paneOf(const QWidget* widget) const;
    void animate(Pane& pane);
    void settle(QWidget* widget);

    std::vector<Pane> m_panes;
};

} // namespace pelorama::app
