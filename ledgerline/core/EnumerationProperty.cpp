#include "ledgerline/core/EnumerationProperty.h"

#include "foundation/Values.h"

namespace ledgerline {

EnumerationProperty::EnumerationProperty() = default;

void EnumerationProperty::addOption(const QString& title, const QVariant& value)
{
    m_options.push_back({title, value});
}

int EnumerationProperty::selectedIndex() const
{
    const QVariant shown = value();
    if (foundation::isNil(shown)) {
        return -1;
    }
    for (std::size_t index = 0; index < m_options.size(); ++index) {
        if (foundation::valuesEqual(m_options[index].value, shown)) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

void EnumerationProperty::selectOption(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_options.size()) {
        return;
    }
    setValue(m_options[static_cast<std::size_t>(index)].value);
}

} // namespace ledgerline
