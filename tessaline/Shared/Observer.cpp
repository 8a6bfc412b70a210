#include "tessaline/Shared/Observer.h"

namespace tessaline {

Observer::Observer(QObject* object, const QString& keyPath, Callback callback)
    : Observer(object, keyPath, true, std::move(callback))
{}

Observer::Observer(QObject* object, const QString& keyPath, bool fireInitial, Callback callback)
    : m_callback(std::move(callback))
    , m_object(object)
    , m_keyPath(keyPath)
    , m_observation(object, keyPath,
                    fireInitial ? foundation::KeyValueObservation::InitialValue::deliver
                                : foundation::KeyValueObservation::InitialValue::skip,
                    [this](const QVariant& value) {
                        if (m_callback) {
                            m_callback(value);
                        }
                    })
{}

} // namespace tessaline
