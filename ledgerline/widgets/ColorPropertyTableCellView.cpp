#include "ledgerline/widgets/ColorPropertyTableCellView.h"

#include "ledgerline/core/Property.h"
#include "tessaline/Shared/Binding.h"
#include "tessaline/Tessaline/ColorPickerButton.h"

#include <QHBoxLayout>

namespace ledgerline {

ColorPropertyTableCellView::ColorPropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_colorWell(new tessaline::ColorPickerButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_colorWell);
    layout->addStretch();
}

void ColorPropertyTableCellView::objectValueChanged(Property* property)
{
    if (property) {
        keepBinding(std::make_unique<tessaline::Binding>(property, QStringLiteral("value"), m_colorWell,
                                                         QStringLiteral("color")));
    }
}

} // namespace ledgerline
