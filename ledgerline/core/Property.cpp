#include "ledgerline/core/Property.h"

#include "foundation/Fatal.h"
#include "foundation/Values.h"
#include "tessaline/Shared/Binding.h"

namespace ledgerline {
namespace {

// Key-value coding writes a nil into a QVariant property as a variant wrapped in a variant; either way
// the property keeps plain nil.
QVariant plainValue(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QVariant>()) {
        return plainValue(value.value<QVariant>());
    }
    return foundation::isNil(value) ? QVariant() : value;
}

} // namespace

Property::Property() = default;

Property::Property(const QVariant& defaultValue)
    : m_value(plainValue(defaultValue))
{}

Property::~Property() = default;

QString Property::editorName() const
{
    return editorNameForClass(*metaObject());
}

QString Property::editorNameForClass(const QMetaObject& propertyClass)
{
    const QString className = QString::fromLatin1(propertyClass.className());
    const qsizetype separator = className.lastIndexOf(QLatin1String("::"));
    const QString shortName = separator < 0 ? className : className.mid(separator + 2);
    return shortName + QLatin1String("TableCellView");
}

void Property::bind(QObject* object, const QString& keyPath)
{
    if (!object) {
        foundation::fatal(QStringLiteral("Cannot bind a property to no object"));
    }
    m_bindings.push_back(
        std::make_unique<tessaline::Binding>(object, keyPath, this, QStringLiteral("value")));
    m_valueKeyPath = keyPath;
}

void Property::setValue(const QVariant& value)
{
    m_value = plainValue(value);
    emit valueChanged();
}

void Property::setHidden(bool hidden)
{
    m_hidden = hidden;
    emit hiddenChanged();
}

} // namespace ledgerline
