#pragma once

#include "ledgerline/core/PropertyCollection.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <memory>

namespace pelorama::model {

class Entity;

// Makes the inspector's rows of an entity from the inspector rows of its attribute table: one row of the
// descriptor's data kind per descriptor, named, limited and bound to its attribute's key, in groups in
// the order they first appear, with the observers that keep the rows' visibility and warnings current
// handed to the collection. Choices of raw values are then set to the entity's current raw value; a
// picture row hands the bytes of a picture put into it to the entity's asset (ImageLoadable).
class PropertyCollectionBuilder
{
public:
    explicit PropertyCollectionBuilder(Entity& entity)
        : m_entity(entity)
    {}

    // The rows of key bind to keyPath of target instead of the entity's key: a view of the entity that
    // shows the key otherwise, such as a caption's text in one of its languages.
    PropertyCollectionBuilder& bindingKey(const QString& key, QObject& target, const QString& keyPath);

    std::unique_ptr<ledgerline::PropertyCollection> build() const;

private:
    struct Target
    {
        QPointer<QObject> object;
        QString keyPath;
    };

    Entity& m_entity;
    QHash<QString, Target> m_targets;
};

} // namespace pelorama::model
