#pragma once

#include <QWidget>
#include <array>

namespace pelorama::app {

// The toolbar's two-segment control for the side panes: segment 0 stands for the left pane, segment 1 for
// the right one. Each segment keeps its own selected state; clicking one flips it, makes it the selected
// segment and emits activated.
class SidebarToggleControl : public QWidget
{
    Q_OBJECT

public:
    static constexpr int segmentCount = 2;

    explicit SidebarToggleControl(QWidget* parent = nullptr);

    // The segment clicked last; -1 before the first click.
    int selectedSegment() const { return m_selectedSegment; }
    void setSelectedSegment(int segment) { m_selectedSegment = segment; }
    bool isSelected(int segment) const;
    void setSelected(bool selected, int segment);
    QRect segmentRect(int segment) const;

    QSize sizeHint() const override { return {72, 26}; }

signals:
    void activated(int segment);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::array<bool, segmentCount> m_selected{};
    int m_selectedSegment = -1;
};

} // namespace pelorama::app
