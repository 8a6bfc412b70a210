#pragma once

#include "ledgerline/widgets/PropertyTableCellView.h"

namespace tessaline {
class MarkupLabel;
}

namespace pelorama::app {

// The inspector row of a WarningProperty: its message rendered as markup. The label only shows the
// message; nothing flows back into the property.
class WarningPropertyTableCellView : public ledgerline::PropertyTableCellView
{
    Q_OBJECT

public:
    explicit WarningPropertyTableCellView(QWidget* parent = nullptr);

    tessaline::MarkupLabel* messageLabel() const { return m_messageLabel; }

protected:
    void objectValueChanged(ledgerline::Property* property) override;

private:
    tessaline::MarkupLabel* m_messageLabel;
};

} // namespace pelorama::app
