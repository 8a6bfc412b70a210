#pragma once

#include "inspector/BoundEditorTableCellView.h"

namespace pelorama::app {

class GradientPicker;

// The inspector row of a StockGradientProperty: a gradient picker whose selectedIndex is bound both ways
// to the property's valueIndex.
class StockGradientPropertyTableCellView : public BoundEditorTableCellView
{
    Q_OBJECT

public:
    explicit StockGradientPropertyTableCellView(QWidget* parent = nullptr);

    GradientPicker* gradientPicker() const { return m_gradientPicker; }

protected:
    bool canBind(ledgerline::Property& property) const override;

private:
    GradientPicker* m_gradientPicker;
};

} // namespace pelorama::app
