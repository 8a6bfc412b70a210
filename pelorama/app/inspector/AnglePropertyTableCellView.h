#pragma once

#include "inspector/BoundEditorTableCellView.h"

namespace pelorama::app {

class AngleControl;

// The inspector row of an AngleProperty: an angle dial whose value is bound both ways to the property's
// value, so a drag on the dial reaches the bound object at every step; the drag is the cell's gesture.
class AnglePropertyTableCellView : public BoundEditorTableCellView
{
    Q_OBJECT

public:
    explicit AnglePropertyTableCellView(QWidget* parent = nullptr);

    AngleControl* angleControl() const { return m_angleControl; }

private:
    AngleControl* m_angleControl;
};

} // namespace pelorama::app
