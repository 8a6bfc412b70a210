#pragma once

#include "tessaline/Tessaline/HeightForWidthTextField.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

namespace tessaline {

// A text field whose text is written in the framework's inline markup and shown styled. The field's
// font, alignment and text colour, when set before the text, are the base style of the markup; setting
// them afterwards does not restyle the text until it is set again.
class TESSALINE_WIDGETS_EXPORT MarkupLabel : public HeightForWidthTextField
{
    Q_OBJECT
    Q_PROPERTY(QString markupStringValue READ markupStringValue WRITE setMarkupStringValue NOTIFY
                   markupStringValueChanged)

public:
    explicit MarkupLabel(QWidget* parent = nullptr);
    // A label showing markup as styled text, as one made with that text in an interface would.
    explicit MarkupLabel(const QString& markup, QWidget* parent = nullptr);

    // The text as shown, the markup's delimiters removed.
    QString markupStringValue() const { return stringValue(); }
    // Parses markup and shows the result; every assignment notifies.
    void setMarkupStringValue(const QString& markup);

signals:
    void markupStringValueChanged();
};

} // namespace tessaline
