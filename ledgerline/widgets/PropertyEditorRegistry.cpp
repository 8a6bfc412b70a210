#include "ledgerline/widgets/PropertyEditorRegistry.h"

#include "foundation/Diagnostics.h"
#include "ledgerline/core/Property.h"
#include "ledgerline/widgets/ColorPropertyTableCellView.h"
#include "ledgerline/widgets/EnumerationPropertyTableCellView.h"
#include "ledgerline/widgets/FontPropertyTableCellView.h"
#include "ledgerline/widgets/ImagePropertyTableCellView.h"
#include "ledgerline/widgets/NumericPropertyTableCellView.h"
#include "ledgerline/widgets/StringPropertyTableCellView.h"

#include <QHash>

namespace ledgerline {
namespace {

template <typename Cell>
void add(QHash<QString, PropertyEditorRegistry::Factory>& factories, const char* name)
{
    factories.insert(QString::fromLatin1(name), [] { return std::make_unique<Cell>(); });
}

} // namespace

PropertyEditorRegistry::PropertyEditorRegistry()
{
    // A plain Property has a row that edits nothing.
    add<PropertyTableCellView>(m_factories, "PropertyTableCellView");
    add<StringPropertyTableCellView>(m_factories, "StringPropertyTableCellView");
    add<NumericPropertyTableCellView>(m_factories, "NumericPropertyTableCellView");
    add<ColorPropertyTableCellView>(m_factories, "ColorPropertyTableCellView");
    add<FontPropertyTableCellView>(m_factories, "FontPropertyTableCellView");
    add<ImagePropertyTableCellView>(m_factories, "ImagePropertyTableCellView");
    add<EnumerationPropertyTableCellView>(m_factories, "EnumerationPropertyTableCellView");
}

void PropertyEditorRegistry::registerEditor(const QString& editorName, Factory factory)
{
    m_factories.emplace(editorName, std::move(factory));
}

bool PropertyEditorRegistry::isRegistered(const QString& editorName) const
{
    return m_factories.contains(editorName);
}

QString PropertyEditorRegistry::resolvedEditorName(const Property& property) const
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

std::unique_ptr<PropertyTableCellView> PropertyEditorRegistry::makeCellView(const Property& property) const
{
    const QString name = resolvedEditorName(property);
    if (name.isEmpty()) {
        foundation::warning(QStringLiteral("No editor is registered for %1").arg(property.editorName()));
        return std::make_unique<PropertyTableCellView>();
    }
    auto cell = m_factories.value(name)();
    return cell ? std::move(cell) : std::make_unique<PropertyTableCellView>();
}

} // namespace ledgerline
