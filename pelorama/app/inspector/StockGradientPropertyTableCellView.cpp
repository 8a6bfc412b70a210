#include "inspector/StockGradientPropertyTableCellView.h"

#include "inspector/GradientPicker.h"
#include "model/attributes/StockGradientProperty.h"

namespace pelorama::app {

StockGradientPropertyTableCellView::StockGradientPropertyTableCellView(QWidget* parent)
    : BoundEditorTableCellView(parent, {QStringLiteral("valueIndex"), QStringLiteral("selectedIndex"), -1})
    , m_gradientPicker(new GradientPicker(this))
{
    placeEditor(m_gradientPicker, QBoxLayout::TopToBottom);
}

bool StockGradientPropertyTableCellView::canBind(ledgerline::Property& property) const
{
    return qobject_cast<model::StockGradientProperty*>(&property) != nullptr;
}

} // namespace pelorama::app
