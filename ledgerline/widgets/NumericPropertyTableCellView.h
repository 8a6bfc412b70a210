#pragma once

#include "ledgerline/widgets/PropertyTableCellView.h"

class QDoubleSpinBox;

namespace ledgerline {

// Edits a NumericProperty in a number field with arrows, limited to the property's range. A number
// typed in reaches the property when the edit ends; each arrow step reaches it at once. Holding the
// field's arrows (or the arrow keys) is a gesture: its steps belong together.
class NumericPropertyTableCellView : public PropertyTableCellView
{
    Q_OBJECT

public:
    // What the field offers on a side where the property sets no limit.
    static constexpr double unlimited = 1e6;

    explicit NumericPropertyTableCellView(QWidget* parent = nullptr);

    QDoubleSpinBox* numberField() const { return m_numberField; }

protected:
    void objectValueChanged(Property* property) override;

private:
    QDoubleSpinBox* m_numberField;
};

} // namespace ledgerline
