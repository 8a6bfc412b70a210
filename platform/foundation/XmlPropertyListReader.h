#pragma once

#include "foundation/Expected.h"
#include "foundation/PropertyListError.h"
#include "foundation/PropertyListLimits.h"

#include <QByteArray>
#include <QVariant>

namespace foundation {

// Reads an XML property list straight into its QVariant tree, in one pass and in time linear in the
// input. Nesting and the number of values are counted as the elements arrive, so comments, CDATA
// sections, processing instructions and attributes cannot hide an element from the limits. A document
// type that declares entities of its own is refused: property lists never need one, and expanding them
// would let a small file grow without bound.
Expected<QVariant, PropertyListError> readXmlPropertyList(const QByteArray& data,
                                                          const PropertyListLimits& limits);

} // namespace foundation
