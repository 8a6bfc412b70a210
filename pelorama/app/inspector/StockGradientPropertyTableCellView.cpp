#include "inspector/StockGradientPropertyTableCellView.h"

#include "inspector/GradientPicker.h"
#include "model/attributes/StockGradientProperty.h"
#include "tessaline/Shared/Binding.h"

#include <QVBoxLayout>

namespace pelorama::app {

StockGradientPropertyTableCellView::StockGradientPropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_gradientPicker(new GradientPicker(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_gradientPicker);
}

void StockGradientPropertyTableCellView::objectValueChanged(ledgerline::Property* property)
{
    if (qobject_cast<model::StockGradientProperty*>(property)) {
        keepBinding(std::make_unique<tessaline::Binding>(property, QStringLiteral("valueIndex"),
                                                         m_gradientPicker, QStringLiteral("selectedIndex")));
    } else {
        m_gradientPicker->setSelectedIndex(-1);
    }
}

} // namespace pelorama::app
