#pragma once

#include <QString>

namespace store {

class EntityDescription;

enum class DeleteRule
{
    Nullify, // the destination loses its link to the deleted object
    Cascade, // the destination is deleted as well
    Deny,    // saving fails while the destination is still linked
    NoAction,
};

struct RelationshipDescription
{
    QString name;
    QString destinationEntityName;
    QString inverseName; // empty when the relationship has no inverse
    bool isToMany = false;
    bool isOrdered = false; // to-many only: members keep the order in which they were placed
    DeleteRule deleteRule = DeleteRule::Nullify;

    // Filled in when the model is loaded; stay valid as long as the model.
    const EntityDescription* destinationEntity = nullptr;
    const RelationshipDescription* inverseRelationship = nullptr;
};

} // namespace store
