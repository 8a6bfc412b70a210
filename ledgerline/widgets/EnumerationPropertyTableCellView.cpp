#include "ledgerline/widgets/EnumerationPropertyTableCellView.h"

#include "appkit/widgets/SegmentedControl.h"
#include "ledgerline/core/EnumerationProperty.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ledgerline {

EnumerationPropertyTableCellView::EnumerationPropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_popUp(new QComboBox(this))
    , m_segmentedControl(new appkit::SegmentedControl(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_popUp);
    layout->addWidget(m_segmentedControl);
    m_segmentedControl->hide();
    connect(m_popUp, &QComboBox::activated, this, &EnumerationPropertyTableCellView::choose);
    connect(m_segmentedControl, &appkit::SegmentedControl::activated, this,
            &EnumerationPropertyTableCellView::choose);
}

void EnumerationPropertyTableCellView::objectValueChanged(Property* property)
{
    auto* enumeration = qobject_cast<EnumerationProperty*>(property);
    const bool segmented =
        enumeration && enumeration->displayStyle() == EnumerationProperty::segmentedDisplay;
    m_popUp->setVisible(!segmented);
    m_segmentedControl->setVisible(segmented);
    {
        const QSignalBlocker blocker(m_popUp);
        m_popUp->clear();
        const auto options =
            enumeration ? enumeration->options() : std::vector<EnumerationProperty::Option>();
        m_segmentedControl->setSegmentCount(static_cast<int>(options.size()));
        for (int index = 0; index < static_cast<int>(options.size()); ++index) {
            m_popUp->addItem(options[static_cast<std::size_t>(index)].title);
            m_segmentedControl->setLabel(options[static_cast<std::size_t>(index)].title, index);
        }
    }
    if (!enumeration) {
        return;
    }
    follow(enumeration, QStringLiteral("value"), [this, enumeration](const QVariant&) {
        const int index = enumeration->selectedIndex();
        const QSignalBlocker blocker(m_popUp);
        m_popUp->setCurrentIndex(index);
        m_segmentedControl->setSelectedSegment(index);
    });
}

void EnumerationPropertyTableCellView::choose(int index)
{
    if (auto* enumeration = qobject_cast<EnumerationProperty*>(objectValue())) {
        enumeration->selectOption(index);
    }
}

} // namespace ledgerline
