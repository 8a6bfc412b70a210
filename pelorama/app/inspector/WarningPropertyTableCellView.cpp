#include "inspector/WarningPropertyTableCellView.h"

#include "model/attributes/WarningProperty.h"
#include "tessaline/Shared/Binding.h"
#include "tessaline/Tessaline/MarkupLabel.h"

#include <QVBoxLayout>

namespace pelorama::app {

WarningPropertyTableCellView::WarningPropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_messageLabel(new tessaline::MarkupLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_messageLabel);
}

void WarningPropertyTableCellView::objectValueChanged(ledgerline::Property* property)
{
    if (qobject_cast<model::WarningProperty*>(property)) {
        keepBinding(std::make_unique<tessaline::Binding>(property, QStringLiteral("message"), m_messageLabel,
                                                         QStringLiteral("markupStringValue"), false));
    } else {
        m_messageLabel->setMarkupStringValue({});
    }
}

} // namespace pelorama::app
