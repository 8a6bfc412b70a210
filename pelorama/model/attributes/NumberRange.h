#pragma once

#include <algorithm>
#include <cmath>

namespace pelorama::model {

// The numbers from minimum to maximum, both included and finite: the raw values of an enumeration's cases,
// the components of a colour.
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
