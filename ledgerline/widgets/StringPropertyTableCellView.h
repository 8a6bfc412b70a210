#pragma once

#include "appkit/widgets/LengthLimitedTextEdit.h"
#include "ledgerline/widgets/PropertyTableCellView.h"

class QLineEdit;

namespace ledgerline {

// Edits a StringProperty in a one-line field, or for multiLineText in a text area. The text reaches the
// property when the edit ends (Return in the field, or focus leaving), so one edit is one change of the
// bound object. The text area takes no more than the property's maximum length and says so in a popover
// when it refuses text.
class StringPropertyTableCellView : public PropertyTableCellView
{
    Q_OBJECT

public:
    explicit StringPropertyTableCellView(QWidget* parent = nullptr);

    QLineEdit* textField() const { return m_textField; }
    appkit::LengthLimitedTextEdit* textView() const { return m_textView; }

protected:
    void objectValueChanged(Property* property) override;
    void commitEditing() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const QString& text);

    QLineEdit* m_textField;
    appkit::LengthLimitedTextEdit* m_textView;
    bool m_multiLine = false;
};

} // namespace ledgerline
