#pragma once

#include "ledgerline/widgets/PropertyTableCellView.h"

class QComboBox;

namespace appkit {
class SegmentedControl;
}

namespace ledgerline {

// Edits an EnumerationProperty with a pop-up menu of its option titles, or with a segmented control when
// its display style is segmentedDisplay. Choosing an option sets the property to the option's value; a
// value that no option holds shows no choice.
class EnumerationPropertyTableCellView : public PropertyTableCellView
{
    Q_OBJECT

public:
    explicit EnumerationPropertyTableCellView(QWidget* parent = nullptr);

    QComboBox* popUp() const { return m_popUp; }
    appkit::SegmentedControl* segmentedControl() const { return m_segmentedControl; }

protected:
    void objectValueChanged(Property* property) override;

private:
    void choose(int index);

    QComboBox* m_popUp;
    appkit::SegmentedControl* m_segmentedControl;
};

} // namespace ledgerline
