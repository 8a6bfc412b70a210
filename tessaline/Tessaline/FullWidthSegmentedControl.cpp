#include "tessaline/Tessaline/FullWidthSegmentedControl.h"

#include <QResizeEvent>
#include <cmath>

namespace tessaline {

FullWidthSegmentedControl::FullWidthSegmentedControl(QWidget* parent)
    : appkit::SegmentedControl(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void FullWidthSegmentedControl::resizeEvent(QResizeEvent* event)
{
    appkit::SegmentedControl::resizeEvent(event);
    distributeWidths();
}

void FullWidthSegmentedControl::distributeWidths()
{
    const int count = segmentCount();
    if (count == 0) {
        return;
    }
    const QMargins insets = alignmentRectInsets();
    const double available = QWidget::width() - insets.left() - insets.right() - 2;
    const double each = std::floor(available / count);
    for (int i = 0; i < count - 1; ++i) {
        setWidth(each, i);
    }
    setWidth(available - (count - 1) * (each + 1), count - 1);
}

} // namespace tessaline
