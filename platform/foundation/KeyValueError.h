#pragma once

#include <QString>
#include <stdexcept>

namespace foundation {

// Thrown by key-value coding when a key cannot be read or written. The message names the class and the key.
class KeyValueError : public std::runtime_error
{
public:
    enum class Kind
    {
        unknownKey,  // the object has no value and no property of that name
        readOnlyKey, // the property cannot be written
        wrongType,   // the value cannot be converted to the property's type
        notAnObject, // a key path continues through a value that is not an object
    };

    KeyValueError(Kind kind, const QString& className, const QString& key);

    Kind kind() const { return kind_; }
    const QString& className() const { return className_; }
    const QString& key() const { return key_; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    Kind kind_;
    QString className_;
    QString key_;
};

} // namespace foundation
