#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

class QAction;

namespace pelorama::app {

// The toolbar's two-segment control for the side panes: segment 0 stands for the action that shows the
// left pane, segment 1 for the one that shows the right pane. A segment is selected while its
// (checkable) action is checked; clicking it triggers the action.
class SidebarToggleControl : public QWidget
{
    Q_OBJECT

public:
    static constexpr int segmentCount = 2;

    explicit SidebarToggleControl(QWidget* parent = nullptr);

    void setActions(QAction* left, QAction* right);
    QAction* action(int segment) const;
    bool isSelected(int segment) const;
    QRect segmentRect(int segment) const;

    QSize sizeHint() const override { return {72, 26}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::array<QPointer<QAction>, segmentCount> m_actions;
};

} // namespace pelorama::app
