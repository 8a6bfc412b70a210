#pragma once

#include "ledgerline/core/Property.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace tessaline {
class Binding;
class Observer;
} // namespace tessaline

namespace ledgerline {

// The editor of one inspector row. The table makes cells through the PropertyEditorRegistry and hands each
// its property with setObjectValue(); a cell may later be handed another property, or none. Each time,
// the cell first commits an edit in progress to the old property, then lets go of every observer and
// binding it made for it, and only then takes up the new one.
//
// A gesture on the editor (a drag, a held arrow) changes the property many times; the cell tells when
// one starts and ends, so that whoever keeps the undo history makes it one step. Every gestureStarted
// is followed by one gestureFinished, at the latest when the cell shows another property or goes.
//
// This base class edits nothing; the table uses it for properties that have no editor.
class PropertyTableCellView : public QWidget
{
    Q_OBJECT

public:
    explicit PropertyTableCellView(QWidget* parent = nullptr);
    ~PropertyTableCellView() override;

    Property* objectValue() const { return m_objectValue; }
    void setObjectValue(Property* property);

    bool isInGesture() const { return m_inGesture; }

signals:
    void gestureStarted();
    void gestureFinished();

protected:
    // Shows property (nullptr for none). The cell's earlier observers and bindings are gone by now.
    virtual void objectValueChanged(Property* property);
    // Hands an edit the user has not finished yet to the shown property.
    virtual void commitEditing() {}

    // Calls callback with keyPath's value of object now and after every store, until the next assignment
    // of the object value.
    void follow(QObject* object, const QString& keyPath, std::function<void(const QVariant& value)> callback);
    // Keeps binding until the next assignment of the object value.
    void keepBinding(std::unique_ptr<tessaline::Binding> binding);
    // Starts or ends the editor's gesture; nothing when it is already so.
    void setInGesture(bool inGesture);

private:
    QPointer<Property> m_objectValue;
    std::vector<std::unique_ptr<tessaline::Observer>> m_observers;
    std::vector<std::unique_ptr<tessaline::Binding>> m_bindings;
    bool m_inGesture = false;
};

} // namespace ledgerline
