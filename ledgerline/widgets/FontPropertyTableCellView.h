#pragma once

#include "ledgerline/widgets/PropertyTableCellView.h"

class QComboBox;
class QDoubleSpinBox;

namespace ledgerline {

// Edits a FontProperty with a pop-up of the faces documents can name and a size field. Fonts keep their
// PostScript names: a face the font-name table does not know is offered as it is, at the top, so showing
// it never changes it.
class FontPropertyTableCellView : public PropertyTableCellView
{
    Q_OBJECT

public:
    explicit FontPropertyTableCellView(QWidget* parent = nullptr);

    QComboBox* facePopUp() const { return m_facePopUp; }
    QDoubleSpinBox* sizeField() const { return m_sizeField; }

protected:
    void objectValueChanged(Property* property) override;

private:
    void show(const QVariant& value);
    void fontEdited();

    QComboBox* m_facePopUp;
    QDoubleSpinBox* m_sizeField;
    // Items of the table's faces start here; an unknown name shown sits before them.
    int m_firstTableItem = 0;
};

} // namespace ledgerline
