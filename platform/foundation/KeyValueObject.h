#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace foundation {

// Base of objects whose observable keys are not Q_PROPERTYs (the store's managed objects expose their
// entity's attributes and relationships this way). Key-value coding and observing treat these keys
// exactly like Q_PROPERTYs with a NOTIFY signal.
class KeyValueObject : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether key names a value of this object; keys that are not known here fall back to Q_PROPERTYs.
    virtual bool hasValueForKey(const QString& key) const = 0;
    virtual QVariant valueForKey(const QString& key) const = 0;
    virtual void setValueForKey(const QVariant& value, const QString& key) = 0;

signals:
    // Emitted after every store into key, also when the value did not change, on the setter's thread.
    void valueChangedForKey(const QString& key);
};

} // namespace foundation
