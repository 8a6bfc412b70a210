#pragma once

#include "ledgerline/core/Property.h"

#include <limits>

namespace ledgerline {

// A row holding a number. The editor keeps what the user enters within minimumValue...maximumValue;
// values that reach the row from the bound object are shown as they are. Without limits the range is
// the whole line.
class NumericProperty : public Property
{
    Q_OBJECT

public:
    explicit NumericProperty(double defaultValue = 0);

    // The shown number; 0 when the value is nil or no number.
    double doubleValue() const;

    double minimumValue() const { return m_minimumValue; }
    void setMinimumValue(double value) { m_minimumValue = value; }
    double maximumValue() const { return m_maximumValue; }
    void setMaximumValue(double value) { m_maximumValue = value; }

private:
    double m_minimumValue = -std::numeric_limits<double>::infinity();
    double m_maximumValue = std::numeric_limits<double>::infinity();
};

} // namespace ledgerline
