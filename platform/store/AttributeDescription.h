#pragma once

#include <QString>
#include <QVariant>

namespace store {

enum class AttributeType
{
    String,
    Integer16,
    Integer32,
    Integer64,
    Double,
    Boolean,
    Binary,
    Transformable, // stored as the bytes of the named value transformer
    Undefined,     // a value of any kind, only allowed for transient attributes
};

struct AttributeDescription
{
    QString name;
    AttributeType type = AttributeType::String;
    QString valueTransformerName; // Transformable only
    bool isTransient = false;     // kept in memory and handed to parent contexts, never stored
    QVariant defaultValue;        // set on insertion; invalid for none
};

} // namespace store
