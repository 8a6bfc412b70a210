#pragma once

#include <QString>
#include <QVariant>

namespace store {

class EntityDescription;
struct ObjectSnapshot;

// What a fetch keeps: every object, or those whose value for a key equals a value. Numbers compare by
// value across integer and floating types; a relationship key compares with a ManagedObject* or its
// ManagedObjectID; an invalid QVariant matches a missing value.
class Predicate
{
public:
    static Predicate all() { return Predicate(); }
    static Predicate equal(const QString& key, const QVariant& value) { return Predicate(key, value); }

    bool isAll() const { return m_key.isEmpty(); }
    const QString& key() const { return m_key; }
    const QVariant& value() const { return m_value; }

    // Whether an object of entity with these values matches; relationship values must be given as
    // ManagedObjectIDs here.
    bool matches(const EntityDescription& entity, const ObjectSnapshot& snapshot) const;

private:
    Predicate() = default;
    Predicate(QString key, QVariant value)
        : m_key(std::move(key))
        , m_value(std::move(value))
    {}

    QString m_key;
    QVariant m_value;
};

} // namespace store
