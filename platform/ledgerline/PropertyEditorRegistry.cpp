#include "ledgerline/PropertyEditorRegistry.h"

#include "foundation/Diagnostics.h"
#include "ledgerline/ColorPropertyTableCellView.h"
#include "ledgerline/EnumerationPropertyTableCellView.h"
#include "ledgerline/FontPropertyTableCellView.h"
#include "ledgerline/ImagePropertyTableCellView.h"
#include "ledgerline/NumericPropertyTableCellView.h"
#include "ledgerline/Property.h"
#include "ledgerline/StringPropertyTableCellView.h"

#include <QHash>

namespace ledgerline {
namespace {

template <typename Cell>
void add(QHash<QString, PropertyEditorRegistry::Factory>& factories, const char* name)
{
    factories.insert(QString::fromLatin1(name), [] { return std::make_unique<Cell>(); });
}

QHash<QString, PropertyEditorRegistry::Factory>& factories()
{
    static QHash<QString, PropertyEditorRegistry::Factory> table = [] {
        QHash<QString, PropertyEditorRegistry::Factory> builtIn;
        // A plain Property has a row that edits nothing.
        add<PropertyTableCellView>(builtIn, "PropertyTableCellView");
        add<StringPropertyTableCellView>(builtIn, "StringPropertyTableCellView");
        add<NumericPropertyTableCellView>(builtIn, "NumericPropertyTableCellView");
        add<ColorPropertyTableCellView>(builtIn, "ColorPropertyTableCellView");
        add<FontPropertyTableCellView>(builtIn, "FontPropertyTableCellView");
        add<ImagePropertyTableCellView>(builtIn, "ImagePropertyTableCellView");
        add<EnumerationPropertyTableCellView>(builtIn, "EnumerationPropertyTableCellView");
        return builtIn;
    }();
    return table;
}

} // namespace

void PropertyEditorRegistry::registerEditor(const QString& editorName, Factory factory)
{
    factories().emplace(editorName, std::move(factory));
}

bool PropertyEditorRegistry::isRegistered(const QString& editorName)
{
    return factories().contains(editorName);
}

QString PropertyEditorRegistry::resolvedEditorName(const Property& property)
{
    for (const QMetaObject* meta = property.metaObject(); meta && meta != &QObject::staticMetaObject;
         meta = meta->superClass()) {
        QString name = Property::editorNameForClass(*meta);
        if (isRegistered(name)) {
            return name;
        }
    }
    return {};
}

std::unique_ptr<PropertyTableCellView> PropertyEditorRegistry::makeCellView(const Property& property)
{
    const QString name = resolvedEditorName(property);
    if (name.isEmpty()) {
        foundation::warning(QStringLiteral("No editor is registered for %1").arg(property.editorName()));
        return std::make_unique<PropertyTableCellView>();
    }
    auto cell = factories().value(name)();
    return cell ? std::move(cell) : std::make_unique<PropertyTableCellView>();
}

} // namespace ledgerline
