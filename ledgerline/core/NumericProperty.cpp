#include "ledgerline/core/NumericProperty.h"

#include "foundation/Values.h"

namespace ledgerline {

NumericProperty::NumericProperty(double defaultValue)
    : Property(defaultValue)
{}

double NumericProperty::doubleValue() const
{
    const QVariant number = value();
    return foundation::isNumber(number) ? number.toDouble() : 0;
}

} // namespace ledgerline
