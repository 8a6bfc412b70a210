#pragma once

#include <QVariant>

namespace store {

// Equality and order of attribute values as fetches use them: invalid (missing) values equal only each
// other and sort first; numbers (integers, floating point, booleans) compare by value; text compares by
// code units; ManagedObjectIDs compare by identity.
bool valuesEqual(const QVariant& a, const QVariant& b);
// Whether typeId is one of the integer types a QVariant can hold (booleans not included).
bool isIntegerType(int typeId);
int compareValues(const QVariant& a, const QVariant& b);

} // namespace store
