#include "inspector/AnglePropertyTableCellView.h"

#include "inspector/AngleControl.h"

namespace pelorama::app {

AnglePropertyTableCellView::AnglePropertyTableCellView(QWidget* parent)
    : BoundEditorTableCellView(parent, {QStringLiteral("value"), QStringLiteral("value"), QVariant()})
    , m_angleControl(new AngleControl(this))
{
    placeEditor(m_angleControl, QBoxLayout::LeftToRight)->addStretch();
    m_angleControl->setFixedSize(m_angleControl->sizeHint());
    // A drag on the dial sets the angle at every step; the steps belong together.
    connect(m_angleControl, &AngleControl::trackingStarted, this,
            [this] { setInGesture(objectValue() != nullptr); });
    connect(m_angleControl, &AngleControl::trackingFinished, this, [this] { setInGesture(false); });
}

} // namespace pelorama::app
