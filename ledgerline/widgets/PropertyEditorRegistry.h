#pragma once

#include "ledgerline/widgets/PropertyTableCellView.h"

#include <QHash>
#include <QString>
#include <functional>
#include <memory>

namespace ledgerline {

class Property;

// A table of row editors by editor name (Property::editorName()), built once and handed to the tables that
// show properties. The editors of the kinds this library defines are there from the start; an application
// adds the editors of its own property classes before it hands the registry on.
class PropertyEditorRegistry
{
public:
    using Factory = std::function<std::unique_ptr<PropertyTableCellView>()>;

    // The editors of the kinds this library defines.
    PropertyEditorRegistry();

    // Registers factory under editorName, replacing an earlier one of that name.
    void registerEditor(const QString& editorName, Factory factory);
    bool isRegistered(const QString& editorName) const;

    // The editor name the inspector uses for property: its own, else that of the nearest base class
    // with a registered editor (a plain Property's editor shows nothing); empty when none has one.
    QString resolvedEditorName(const Property& property) const;
    // A new cell for property, not yet showing it: the editor of resolvedEditorName(), or a plain
    // PropertyTableCellView when there is none.
    std::unique_ptr<PropertyTableCellView> makeCellView(const Property& property) const;

private:
    QHash<QString, Factory> m_factories;
};

} // namespace ledgerline
