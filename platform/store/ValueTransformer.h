#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace store {

// Turns the value of a transformable attribute into the bytes a store keeps, and back. A model names
// the transformer of each transformable attribute; stores look it up in the registry below by that
// name. Transformers are shared between threads and must not keep state that changes.
class ValueTransformer
{
public:
    virtual ~ValueTransformer() = default;

    // The bytes for value; a null value gives a null QByteArray. A value that cannot be encoded also
    // gives a null QByteArray (the attribute is then stored as missing).
    virtual QByteArray transformedValue(const QVariant& value) const = 0;

    // The value for bytes written by transformedValue; null, empty, corrupt or foreign bytes give an
    // invalid QVariant and never an error.
    virtual QVariant reverseTransformedValue(const QByteArray& bytes) const = 0;

    // The registry by name. Registering under a name that is taken replaces the earlier transformer;
    // registering nullptr removes it. Safe from any thread.
    static void setValueTransformer(std::shared_ptr<const ValueTransformer> transformer, const QString& name);
    static std::shared_ptr<const ValueTransformer> valueTransformer(const QString& name);
    static QStringList valueTransformerNames();
};

} // namespace store
