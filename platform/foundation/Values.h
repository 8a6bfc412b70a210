#pragma once

#include <QObject>
#include <QVariant>

namespace foundation {

// Values travel as QVariant. Nil is a variant that holds nothing, std::nullptr_t or a null pointer; it
// differs from "no value", which the observing layer never reports for a key it observes.

// Whether value stands for nil: invalid, std::nullptr_t or a null pointer.
bool isNil(const QVariant& value);

// The nil value that notifications carry: a valid variant holding std::nullptr_t.
QVariant nilValue();

// The object a value refers to, or nullptr when it holds no pointer to a QObject.
QObject* objectFromValue(const QVariant& value);

// Whether value holds a number: a boolean, an integer of any width, a floating-point number or an enum.
bool isNumber(const QVariant& value);

// Equality as key-value coding understands it: nil equals nil only; numbers compare by value across
// integer, floating-point and enum types (1 == 1.0, but 1 != 1.5 and no precision is lost on 64-bit
// integers); objects compare by identity; other values with their type's ==.
bool valuesEqual(const QVariant& a, const QVariant& b);

} // namespace foundation
