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

    Kind kind() const { return m_kind; }
    const QString& className() const { return m_className; }
    const QString& key() const { return m_key; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    Kind m_kind;
    QString m_className;
    QString m_key;
};

} // namespace foundation
