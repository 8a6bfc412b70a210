#pragma once

#include "foundation/Expected.h"
#include "foundation/PropertyListError.h"
#include "foundation/PropertyListLimits.h"

#include <QByteArray>

namespace foundation {

// Checks the structure of a binary property list before it is parsed: the trailer and offset table lie
// inside the data, every object and every reference stays in bounds, only known object kinds appear,
// dictionary keys are strings, no container contains itself, and the values that parsing would build
// stay within limits. Data that passes can be handed to the parser without risk to the process.
Expected<void, PropertyListError> checkBinaryPropertyList(const QByteArray& data,
                                                          const PropertyListLimits& limits);

} // namespace foundation
