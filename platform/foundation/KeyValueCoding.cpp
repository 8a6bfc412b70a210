#include "foundation/KeyValueCoding.h"

#include "foundation/KeyLookup.h"
#include "foundation/KeyValueObject.h"
#include "foundation/ObservationRegistry.h"
#include "foundation/Values.h"

#include <QStringList>

namespace foundation {
namespace {

using detail::KeyLookup;

QString classNameOf(const QObject* object)
{
    return QString::fromLatin1(object->metaObject()->className());
}

QStringList splitKeyPath(const QObject* object, const QString& keyPath)
{
    QStringList keys = keyPath.split(QLatin1Char('.'));
    for (const QString& key : keys) {
        if (key.isEmpty()) {
            throw KeyValueError(KeyValueError::Kind::unknownKey, classNameOf(object), keyPath);
        }
    }
    return keys;
}

KeyLookup lookUp(const QObject* object, const QString& key)
{
    const KeyLookup lookup = KeyLookup::find(object, key);
    if (lookup.kind == KeyLookup::Kind::unknown) {
        throw KeyValueError(KeyValueError::Kind::unknownKey, classNameOf(object), key);
    }
    return lookup;
}

// Follows keys[0 ..< count] from object; nil when a step is nil.
QObject* followKeys(const QObject* object, const QStringList& keys, qsizetype count)
{
    QObject* current = const_cast<QObject*>(object);
    for (qsizetype i = 0; i < count && current; ++i) {
        const QVariant value = valueForKey(current, keys[i]);
        if (isNil(value)) {
            return nullptr;
        }
        current = objectFromValue(value);
        if (!current) {
            throw KeyValueError(KeyValueError::Kind::notAnObject, classNameOf(object), keys[i]);
        }
    }
    return current;
}

} // namespace

bool hasKey(const QObject* object, const QString& key)
{
    return object && KeyLookup::find(object, key).kind != KeyLookup::Kind::unknown;
}

QVariant valueForKey(const QObject* object, const QString& key)
{
    if (!object) {
        return {};
    }
    const KeyLookup lookup = lookUp(object, key);
    if (lookup.kind == KeyLookup::Kind::keyValue) {
        return static_cast<const KeyValueObject*>(object)->valueForKey(key);
    }
    return lookup.property.read(object);
}

QVariant valueForKeyPath(const QObject* object, const QString& keyPath)
{
    if (!object) {
        return {};
    }
    const QStringList keys = splitKeyPath(object, keyPath);
    return valueForKey(followKeys(object, keys, keys.size() - 1), keys.last());
}

void setValueForKey(QObject* object, const QVariant& value, const QString& key)
{
    if (!object) {
        return;
    }
    const KeyLookup lookup = lookUp(object, key);
    if (lookup.kind == KeyLookup::Kind::keyValue) {
        // A KeyValueObject announces every store itself through valueChangedForKey.
        static_cast<KeyValueObject*>(object)->setValueForKey(isNil(value) ? QVariant() : value, key);
        return;
    }
    const QMetaProperty& property = lookup.property;
    if (!property.isWritable()) {
        throw KeyValueError(KeyValueError::Kind::readOnlyKey, classNameOf(object), key);
    }
    const QVariant stored = isNil(value) ? QVariant(property.metaType()) : value;
    const detail::PropertyWriteScope scope(object, property.notifySignalIndex());
    if (!property.write(object, stored)) {
        throw KeyValueError(KeyValueError::Kind::wrongType, classNameOf(object), key);
    }
    if (!scope.announced()) {
        detail::observationRegistry::deliverChange(object, key);
    }
}

void setValueForKeyPath(QObject* object, const QVariant& value, const QString& keyPath)
{
    if (!object) {
        return;
    }
    const QStringList keys = splitKeyPath(object, keyPath);
    setValueForKey(followKeys(object, keys, keys.size() - 1), value, keys.last());
}

} // namespace foundation
