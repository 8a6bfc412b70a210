#pragma once

#include "ledgerline/core/PropertyCollection.h"

#include <memory>

namespace ledgerline {

// An object the inspector can show. Each call builds a new collection whose rows are bound to the object;
// the caller owns it, and the rows and observers in it end their work when it is destroyed.
class PropertyEditable
{
public:
    virtual ~PropertyEditable() = default;

    virtual std::unique_ptr<PropertyCollection> makePropertyCollection() = 0;

protected:
    PropertyEditable() = default;
    PropertyEditable(const PropertyEditable&) = default;
    PropertyEditable& operator=(const PropertyEditable&) = default;
};

} // namespace ledgerline
