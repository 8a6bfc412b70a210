#pragma once

#include <QString>

namespace pelorama::document {

// A relationship that deep cloning does not follow, named by the entity that owns it and its name.
struct BlacklistedRelationship
{
    QString entityName;
    QString relationship;

    bool operator==(const BlacklistedRelationship&) const = default;
};

} // namespace pelorama::document
