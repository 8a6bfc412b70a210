#pragma once

#include <QString>
#include <QVariant>

namespace store {

enum class AttributeType
{
    string,
    integer16,
    integer32,
    integer64,
    floatingPoint,
    boolean,
    binary,
    transformable, // stored as the bytes of the named value transformer
    undefined,     // a value of any kind, only allowed for transient attributes
};

struct AttributeDescription
{
    QString name;
    AttributeType type = AttributeType::string;
    QString valueTransformerName; // Transformable only
    bool isTransient = false;     // kept in memory and handed to parent contexts, never stored
    QVariant defaultValue;        // set on insertion; invalid for none
    // Added to the model after stores were written without it: such a store opens all the same, reads it
    // as missing, and gains its column at its first save.
    bool isAddedLater = false;
};

} // namespace store
