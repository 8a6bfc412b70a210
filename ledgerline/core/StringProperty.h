#pragma once

#include "ledgerline/core/Property.h"

#include <optional>

namespace ledgerline {

// A row of text. Its text style tells the editor how much room the text gets.
class StringProperty : public Property
{
    Q_OBJECT

public:
    // A one-line field; Return ends the edit.
    static constexpr int singleLineText = 0;
    // A text area that grows with its lines; Return starts a new line.
    static constexpr int multiLineText = 1;

    explicit StringProperty(const QString& defaultValue = {});

    // The shown text; empty when the value is nil.
    QString text() const;

    int textStyle() const { return m_textStyle; }
    void setTextStyle(int style) { m_textStyle = style; }

    // The most characters (UTF-16 code units) the text area of a multiLineText takes from the user; none
    // until set. A longer value set by the program is shown, wrapped anywhere, and can be shortened.
    std::optional<int> maximumLength() const { return m_maximumLength; }
    void setMaximumLength(std::optional<int> length) { m_maximumLength = length; }

private:
    int m_textStyle = singleLineText;
    std::optional<int> m_maximumLength;
};

} // namespace ledgerline
