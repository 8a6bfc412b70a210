#pragma once

#include <QMetaProperty>
#include <QObject>
#include <QString>

namespace foundation {
class KeyValueObject;
}

namespace foundation::detail {

// Where a key of an object lives: in a KeyValueObject's own table or in a Q_PROPERTY. Shared by
// key-value coding and observing so that both find a key the same way.
struct KeyLookup
{
    enum class Kind
    {
        unknown,
        keyValue,
        property,
    };

    Kind kind = Kind::unknown;
    QMetaProperty property;

    static KeyLookup find(const QObject* object, const QString& key);
};

} // namespace foundation::detail
