#include "inspector/AnglePropertyTableCellView.h"

#include "inspector/AngleControl.h"
#include "ledgerline/Property.h"
#include "tessaline/Shared/Binding.h"

#include <QHBoxLayout>

namespace pelorama::app {

AnglePropertyTableCellView::AnglePropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_angleControl(new AngleControl(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_angleControl);
    layout->addStretch();
    m_angleControl->setFixedSize(m_angleControl->sizeHint());
    // A drag on the dial sets the angle at every step; the steps belong together.
    connect(m_angleControl, &AngleControl::trackingStarted, this,
            [this] { setInGesture(objectValue() != nullptr); });
    connect(m_angleControl, &AngleControl::trackingFinished, this, [this] { setInGesture(false); });
}

void AnglePropertyTableCellView::objectValueChanged(ledgerline::Property* property)
{
    if (property) {
        keepBinding(std::make_unique<tessaline::Binding>(property, QStringLiteral("value"), m_angleControl,
                                                         QStringLiteral("value")));
    } else {
        m_angleControl->setValue({});
    }
}

} // namespace pelorama::app
