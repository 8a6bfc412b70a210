#pragma once

#include "ledgerline/core/Property.h"

#include <QString>
#include <memory>
#include <vector>

namespace ledgerline {

// A titled section of the inspector: its properties in the order they were added. It owns them.
class PropertyGroup
{
public:
    PropertyGroup();
    ~PropertyGroup();
    PropertyGroup(const PropertyGroup&) = delete;
    PropertyGroup& operator=(const PropertyGroup&) = delete;

    // The section title.
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const QString& identifier() const { return m_identifier; }
    void setIdentifier(const QString& identifier) { m_identifier = identifier; }

    // Appends the property and answers it. A property belongs to one group only.
    template <typename P> P& addProperty(std::unique_ptr<P> property)
    {
        P& added = *property;
        append(std::move(property));
        return added;
    }

    const std::vector<std::unique_ptr<Property>>& properties() const { return m_properties; }

private:
    void append(std::unique_ptr<Property> property);

    QString m_name;
    QString m_identifier;
    std::vector<std::unique_ptr<Property>> m_properties;
};

} // namespace ledgerline
