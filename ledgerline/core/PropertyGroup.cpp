#include "ledgerline/core/PropertyGroup.h"

#include "foundation/Fatal.h"

namespace ledgerline {

PropertyGroup::PropertyGroup() = default;

PropertyGroup::~PropertyGroup() = default;

void PropertyGroup::append(std::unique_ptr<Property> property)
{
    if (!property) {
        foundation::fatal(QStringLiteral("Cannot add no property to a group"));
    }
    if (property->m_propertyGroup) {
        foundation::fatal(QStringLiteral("The property belongs to another group"));
    }
    property->m_propertyGroup = this;
    m_properties.push_back(std::move(property));
}

} // namespace ledgerline
