#pragma once

#include "ledgerline/core/PropertyGroup.h"

#include <memory>
#include <vector>

namespace tessaline {
class Observer;
}

namespace ledgerline {

// Everything the inspector shows for one object: its groups in the order added, and the observers that
// keep the rows up to date (hidden rows, messages) for as long as the rows exist. Destroying the
// collection ends those observers first, then every row and its bindings.
class PropertyCollection
{
public:
    PropertyCollection();
    ~PropertyCollection();
    PropertyCollection(const PropertyCollection&) = delete;
    PropertyCollection& operator=(const PropertyCollection&) = delete;

    // Appends the group and answers it.
    PropertyGroup& addGroup(std::unique_ptr<PropertyGroup> group);
    const std::vector<std::unique_ptr<PropertyGroup>>& groups() const { return m_groups; }

    // Keeps the observer alive as long as the collection.
    void keepObserver(std::unique_ptr<tessaline::Observer> observer);
    std::size_t observerCount() const { return m_observers.size(); }

private:
    std::vector<std::unique_ptr<PropertyGroup>> m_groups;
    // After the groups, so observers whose callbacks touch rows end before the rows go.
    std::vector<std::unique_ptr<tessaline::Observer>> m_observers;
};

} // namespace ledgerline
