#pragma once

#include "ledgerline/core/Property.h"

#include <QString>
#include <QVariant>
#include <vector>

namespace ledgerline {

// A row whose value is one of a list of options. Option values are raw numbers or objects; the shown
// option is the one whose value equals the row's value as key-value coding compares them (numbers by
// value across types, objects by identity).
class EnumerationProperty : public Property
{
    Q_OBJECT

public:
    struct Option
    {
        QString title;
        QVariant value;
    };

    // How the editor offers the options: a pop-up menu, or all of them side by side as segments.
    static constexpr int popUpDisplay = 0;
    static constexpr int segmentedDisplay = 4;

    EnumerationProperty();

    // Appends an option; options are offered in the order added.
    void addOption(const QString& title, const QVariant& value);
    const std::vector<Option>& options() const { return m_options; }

    // The index of the first option whose value equals the shown value, or -1 when none does.
    int selectedIndex() const;
    // Shows the value of the option at index; an index outside the options changes nothing.
    void selectOption(int index);

    // popUpDisplay (the default) or segmentedDisplay; other values show the pop-up menu.
    int displayStyle() const { return m_displayStyle; }
    void setDisplayStyle(int style) { m_displayStyle = style; }

private:
    std::vector<Option> m_options;
    int m_displayStyle = popUpDisplay;
};

} // namespace ledgerline
