#include "ledgerline/core/PropertyCollection.h"

#include "foundation/Fatal.h"
#include "tessaline/Shared/Observer.h"

namespace ledgerline {

PropertyCollection::PropertyCollection() = default;

PropertyCollection::~PropertyCollection() = default;

PropertyGroup& PropertyCollection::addGroup(std::unique_ptr<PropertyGroup> group)
{
    if (!group) {
        foundation::fatal(QStringLiteral("Cannot add no group to a collection"));
    }
    m_groups.push_back(std::move(group));
    return *m_groups.back();
}

void PropertyCollection::keepObserver(std::unique_ptr<tessaline::Observer> observer)
{
    if (observer) {
        m_observers.push_back(std::move(observer));
    }
}

} // namespace ledgerline
