#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace tessaline {
class Binding;
}

namespace ledgerline {

class PropertyGroup;

// One row of the inspector: a label and a value that an editor shows and changes. The observable key
// "value" holds the shown value (nil when there is none); bind() ties it to a key path of another object
// so that the two stay equal in both directions. The observable key "hidden" hides the row.
//
// Both keys notify on every store, also of an equal value, as key-value observing expects. A Property is
// made, configured and then handed to a PropertyGroup, which owns it.
//
// Kinds are subclasses. An editor is found by the property's editorName(), which follows the class name,
// so a subclass declared with Q_OBJECT gets an editor name of its own.
class Property : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(bool hidden READ isHidden WRITE setHidden NOTIFY hiddenChanged)

public:
    // A property whose value is nil.
    Property();
    explicit Property(const QVariant& defaultValue);
    ~Property() override;

    // The row's label.
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const QString& identifier() const { return m_identifier; }
    void setIdentifier(const QString& identifier) { m_identifier = identifier; }
    // A longer explanation of the row; null when there is none.
    const QString& descriptionText() const { return m_descriptionText; }
    void setDescriptionText(const QString& text) { m_descriptionText = text; }

    // The group holding the property; nullptr until it is added to one. The group owns the property, so
    // the link is valid as long as the property is.
    PropertyGroup* propertyGroup() const { return m_propertyGroup; }

    // The name under which the inspector looks up the row's editor: the unqualified class name followed
    // by "TableCellView" ("NumericPropertyTableCellView").
    QString editorName() const;
    static QString editorNameForClass(const QMetaObject& propertyClass);

    // The key path of the last bind(); null while unbound.
    const QString& valueKeyPath() const { return m_valueKeyPath; }
    const std::vector<std::unique_ptr<tessaline::Binding>>& bindings() const { return m_bindings; }

    // Ties "value" to keyPath of object in both directions for as long as this property lives: the
    // property takes the object's current value at once, and from then on a store on either side reaches
    // the other. The object may be destroyed first; the binding then goes quiet. Throws
    // foundation::KeyValueError when a key of the path is unknown, and then binds nothing.
    void bind(QObject* object, const QString& keyPath);

    QVariant value() const { return m_value; }
    // Stores the value and notifies, also when it is equal to the old one. Nil stores nil.
    void setValue(const QVariant& value);

    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);

signals:
    void valueChanged();
    void hiddenChanged();

private:
    friend class PropertyGroup;

    QString m_name;
    QString m_identifier;
    QString m_descriptionText;
    QString m_valueKeyPath;
    QVariant m_value;
    bool m_hidden = false;
    PropertyGroup* m_propertyGroup = nullptr;
    // Last, so that the bindings end while the rest of the property still exists.
    std::vector<std::unique_ptr<tessaline::Binding>> m_bindings;
};

} // namespace ledgerline
