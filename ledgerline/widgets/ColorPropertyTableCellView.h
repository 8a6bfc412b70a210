#pragma once

#include "ledgerline/widgets/PropertyTableCellView.h"

namespace tessaline {
class ColorPickerButton;
}

namespace ledgerline {

// Edits a ColorProperty with the framework's colour well: the well and the property are bound both ways,
// so every colour picked in the well's panel reaches the property at once.
class ColorPropertyTableCellView : public PropertyTableCellView
{
    Q_OBJECT

public:
    explicit ColorPropertyTableCellView(QWidget* parent = nullptr);

    tessaline::ColorPickerButton* colorWell() const { return m_colorWell; }

protected:
    void objectValueChanged(Property* property) override;

private:
    tessaline::ColorPickerButton* m_colorWell;
};

} // namespace ledgerline
