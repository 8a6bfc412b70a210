#pragma once

#include <QString>

namespace store {

class EntityDescription;

enum class DeleteRule
{
    nullify, // the destination loses its link to the deleted object
    cascade, // the destination is deleted as well
    deny,    // saving fails while the destination is still linked
    noAction,
};

struct RelationshipDescription
{
    QString name;
    QString destinationEntityName;
    QString inverseName; // empty when the relationship has no inverse
    bool isToMany = false;
    bool isOrdered = false; // to-many only: members keep the order in which they were placed
    DeleteRule deleteRule = DeleteRule::nullify;

    // Filled in when the model is loaded; stay valid as long as the model.
    const EntityDescription* destinationEntity = nullptr;
    const RelationshipDescription* inverseRelationship = nullptr;
};

} // namespace store
