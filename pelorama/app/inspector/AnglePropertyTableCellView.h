#pragma once

#include "ledgerline/PropertyTableCellView.h"

namespace pelorama::app {

class AngleControl;

// The inspector row of an AngleProperty: an angle dial whose value is bound both ways to the property's
// value, so a drag on the dial reaches the bound object at every step; the drag is the cell's gesture.
class AnglePropertyTableCellView : public ledgerline::PropertyTableCellView
{
    Q_OBJECT

public:
    explicit AnglePropertyTableCellView(QWidget* parent = nullptr);

    AngleControl* angleControl() const { return m_angleControl; }

protected:
    void objectValueChanged(ledgerline::Property* property) override;

private:
    AngleControl* m_angleControl;
};

} // namespace pelorama::app
