#pragma once

#include "appkit/widgets/SegmentedControl.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

namespace tessaline {

// A segmented control whose segments always share its whole width: after every change of size the
// first n - 1 segments get floor(w / n) points each and the last one the rest, where w is the width
// inside the alignment insets less the two border points, and one point is left for each boundary.
class TESSALINE_WIDGETS_EXPORT FullWidthSegmentedControl : public appkit::SegmentedControl
{
    Q_OBJECT

public:
    explicit FullWidthSegmentedControl(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void distributeWidths();
};

} // namespace tessaline
