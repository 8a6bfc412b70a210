#include "ledgerline/core/StringProperty.h"

namespace ledgerline {

StringProperty::StringProperty(const QString& defaultValue)
    : Property(defaultValue)
{}

QString StringProperty::text() const
{
    return value().toString();
}

} // namespace ledgerline
