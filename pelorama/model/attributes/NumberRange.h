#pragma once

#include <algorithm>
#include <cmath>

namespace pelorama::model {

// The numbers an attribute takes, from minimum to maximum, both included and finite. Every road in keeps
// a value within it: the inspector's editor, key-value coding, paste, and the reading of a stored value,
// from which rendering takes it.
struct NumberRange
{
    double minimum;
    double maximum;

    bool contains(double number) const { return number >= minimum && number <= maximum; }
    // The nearest number within the range; the minimum for a number that is no number.
    double clamped(double number) const
    {
        return std::isnan(number) ? minimum : std::clamp(number, minimum, maximum);
    }

    friend bool operator==(const NumberRange&, const NumberRange&) = default;
};

} // namespace pelorama::model
