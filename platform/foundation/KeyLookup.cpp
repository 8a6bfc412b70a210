#include "foundation/KeyLookup.h"

#include "foundation/KeyValueObject.h"

namespace foundation::detail {

KeyLookup KeyLookup::find(const QObject* object, const QString& key)
{
    KeyLookup lookup;
    if (key.isEmpty()) {
        return lookup;
    }
    if (const auto* keyValueObject = qobject_cast<const KeyValueObject*>(object);
        keyValueObject && keyValueObject->hasValueForKey(key)) {
        lookup.kind = Kind::keyValue;
        return lookup;
    }
    const QMetaObject* metaObject = object->metaObject();
    const int index = metaObject->indexOfProperty(key.toUtf8().constData());
    if (index >= 0) {
        lookup.kind = Kind::property;
        lookup.property = metaObject->property(index);
    }
    return lookup;
}

} // namespace foundation::detail
