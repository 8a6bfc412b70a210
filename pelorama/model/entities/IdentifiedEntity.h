#pragma once

#include "model/entities/Entity.h"

#include <QString>

namespace pelorama::model {

// An entity that others name by its "uniqueIdentifier" rather than by a relationship: drawables, which
// mappings name, and assets, which drawables name. Adds no meta-object of its own.
class IdentifiedEntity : public Entity
{
public:
    QString uniqueIdentifier() const { return value(uniqueIdentifierAttribute); }
    void setUniqueIdentifier(const QString& identifier) { setValue(uniqueIdentifierAttribute, identifier); }

protected:
    using Entity::Entity;
};

} // namespace pelorama::model
