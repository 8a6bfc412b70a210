#pragma once

#include "foundation/Expected.h"
#include "foundation/PropertyListError.h"
#include "foundation/PropertyListLimits.h"

#include <QByteArray>
#include <QVariant>

namespace foundation {

// Reads a property list in the old text format of braces and parentheses, UTF-8 encoded:
//   dictionary  { key = value; ... }     keys are strings
//   array       ( value, value, ... )    a comma may follow the last value
//   data        < 0fbd 7700 >            hexadecimal digits in pairs, white space between them
//   string      "quoted" or 'quoted', with the escapes \a \b \f \n \r \t \v \\ \" \' \ooo (octal,
//               one to three digits) and \Uxxxx (one to four hexadecimal digits, a UTF-16 unit);
//               or unquoted, made of letters, digits and _ $ / : . -
// Every value other than these is a string: the format has no numbers, booleans or dates. Comments
// (// to the end of the line, /* ... */) may stand wherever white space may. A text of "key = value;"
// pairs without the enclosing braces (a strings file) reads as a dictionary. Nesting and the number
// of values are bounded by limits; in one pass, in time linear in the input.
Expected<QVariant, PropertyListError> readOpenStepPropertyList(const QByteArray& data,
                                                               const PropertyListLimits& limits);

} // namespace foundation
