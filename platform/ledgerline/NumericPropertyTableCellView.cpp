#include "ledgerline/NumericPropertyTableCellView.h"

#include "foundation/Values.h"
#include "ledgerline/NumericProperty.h"

#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>

namespace ledgerline {

NumericPropertyTableCellView::NumericPropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_numberField(new QDoubleSpinBox(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_numberField);
    m_numberField->setDecimals(2);
    m_numberField->setKeyboardTracking(false);
    m_numberField->setAlignment(Qt::AlignRight);
    // Only what the user enters reaches the property: values shown from the property are set with the
    // field's signals blocked, so a value outside the range is never clamped back into the object.
    connect(m_numberField, &QDoubleSpinBox::valueChanged, this, [this](double number) {
        if (Property* property = objectValue()) {
            property->setValue(number);
        }
    });
}

void NumericPropertyTableCellView::objectValueChanged(Property* property)
{
    const auto* numeric = qobject_cast<NumericProperty*>(property);
    const double minimum =
        numeric && std::isfinite(numeric->minimumValue()) ? numeric->minimumValue() : -unlimited;
    const double maximum =
        numeric && std::isfinite(numeric->maximumValue()) ? numeric->maximumValue() : unlimited;
    {
        const QSignalBlocker blocker(m_numberField);
        m_numberField->setRange(minimum, std::max(minimum, maximum));
        m_numberField->setValue(0);
    }
    if (!property) {
        return;
    }
    follow(property, QStringLiteral("value"), [this](const QVariant& value) {
        const QSignalBlocker blocker(m_numberField);
        const double number = foundation::isNumber(value) ? value.toDouble() : 0;
        m_numberField->setValue(std::isnan(number) ? 0 : number);
    });
}

} // namespace ledgerline
