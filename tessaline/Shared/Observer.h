#pragma once

#include "foundation/KeyValueObservation.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

namespace tessaline {

// Watches one key path of one object for as long as the Observer lives and hands every new value to the
// callback: synchronously, on the thread that set the value, after the store, and also when the value did
// not change. With fireInitial (the default) the callback runs once with the current value before the
// constructor returns. A nil value arrives as foundation::nilValue(), never as an invalid variant. When the
// observed object is destroyed first, the observation ends quietly. Throws foundation::KeyValueError when
// a key of the path is unknown.
class TESSALINE_EXPORT Observer
{
public:
    using Callback = std::function<void(const QVariant& value)>;

    Observer(QObject* object, const QString& keyPath, Callback callback);
    Observer(QObject* object, const QString& keyPath, bool fireInitial, Callback callback);
    Observer(const Observer&) = delete;
    Observer& operator=(const Observer&) = delete;

    const Callback& callback() const { return m_callback; }
    QObject* object() const { return m_object; }
    const QString& keyPath() const { return m_keyPath; }

private:
    Callback m_callback;
    QPointer<QObject> m_object;
    QString m_keyPath;
    foundation::KeyValueObservation m_observation; // last, so it ends before the fields it calls go
};

} // namespace tessaline
