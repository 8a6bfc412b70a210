#include "foundation/KeyValueError.h"

namespace foundation {
namespace {

QString describe(KeyValueError::Kind kind, const QString& className, const QString& key)
{
    switch (kind) {
    case KeyValueError::Kind::unknownKey:
        return QStringLiteral("%1 has no key \"%2\"").arg(className, key);
    case KeyValueError::Kind::readOnlyKey:
        return QStringLiteral("The key \"%2\" of %1 is read-only").arg(className, key);
    case KeyValueError::Kind::wrongType:
        return QStringLiteral("The value for the key \"%2\" of %1 has the wrong type").arg(className, key);
    case KeyValueError::Kind::notAnObject:
        return QStringLiteral("The value for the key \"%2\" of %1 is not an object").arg(className, key);
    }
    Q_UNREACHABLE();
}

} // namespace

KeyValueError::KeyValueError(Kind kind, const QString& className, const QString& key)
    : std::runtime_error(describe(kind, className, key).toStdString())
    , m_kind(kind)
    , m_className(className)
    , m_key(key)
{}

} // namespace foundation
