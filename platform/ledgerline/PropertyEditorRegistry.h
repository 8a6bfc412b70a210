#pragma once

#include "ledgerline/PropertyTableCellView.h"

#include <QString>
#include <functional>
#include <memory>

namespace ledgerline {

class Property;

// The process-wide table of row editors by editor name (Property::editorName()). The editors of the
// kinds this library defines are there from the start; an application adds the editors of its own
// property classes before the inspector shows them. Main thread only.
class PropertyEditorRegistry
{
public:
    using Factory = std::function<std::unique_ptr<PropertyTableCellView>()>;

    // Registers factory under editorName, replacing an earlier one of that name.
    static void registerEditor(const QString& editorName, Factory factory);
    static bool isRegistered(const QString& editorName);

    // The editor name the inspector uses for property: its own, else that of the nearest base class
    // with a registered editor (a plain Property's editor shows nothing); empty when none has one.
    static QString resolvedEditorName(const Property& property);
    // A new cell for property, not yet showing it: the editor of resolvedEditorName(), or a plain
    // PropertyTableCellView when there is none.
    static std::unique_ptr<PropertyTableCellView> makeCellView(const Property& property);
};

} // namespace ledgerline
