#include "model/attributes/AngleProperty.h"

#include "foundation/Values.h"

namespace pelorama::model {

AngleProperty::AngleProperty()
    : Property(QVariant(0.0))
{}

double AngleProperty::degrees() const
{
    const QVariant shown = value();
    return foundation::isNumber(shown) ? shown.toDouble() : 0.0;
}

} // namespace pelorama::model
