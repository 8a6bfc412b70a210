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
    // Looked up by value: a SQLite store keeps an index on its column, made with the table, or at the
    // first save of a store that lacks it (opening writes nothing). Not part of the stored shape: stores
    // with and without the index are stores of the same model.
    bool isIndexed = false;
};

} // namespace store
