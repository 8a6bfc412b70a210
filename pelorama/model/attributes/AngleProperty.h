#pragma once

#include "ledgerline/core/Property.h"

namespace pelorama::model {

// An inspector row holding an angle in degrees (counter-clockwise from +x), edited with a dial. "value"
// starts at 0.0; the row neither clamps nor wraps it.
class AngleProperty : public ledgerline::Property
{
    Q_OBJECT

public:
    AngleProperty();

    // The shown angle; 0 when the value is nil or no number.
    double degrees() const;
};

} // namespace pelorama::model
