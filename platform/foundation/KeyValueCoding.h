#pragma once

#include "foundation/KeyValueError.h"

#include <QObject>
#include <QString>
#include <QVariant>

namespace foundation {

// Key-value coding over QObject. A key names a value of a KeyValueObject (when it claims the key) or else
// a Q_PROPERTY; a key path joins keys with dots and follows object values from left to right. Unknown
// keys, read-only keys and values of the wrong type throw KeyValueError. A nil object, or a nil object
// met along a path, reads as nil and ignores writes, as messages to nil do.

bool hasKey(const QObject* object, const QString& key);

QVariant valueForKey(const QObject* object, const QString& key);
QVariant valueForKeyPath(const QObject* object, const QString& keyPath);

// Stores value and then notifies the key's observers once, whether or not the value changed and whether
// or not the property's setter emits its NOTIFY signal. Nil stores the type's default value (a null
// pointer for object properties).
void setValueForKey(QObject* object, const QVariant& value, const QString& key);
void setValueForKeyPath(QObject* object, const QVariant& value, const QString& keyPath);

} // namespace foundation
