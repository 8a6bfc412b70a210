#include "tessaline/Shared/Observer.h"

namespace tessaline {

Observer::Observer(QObject* object, const QString& keyPath, Callback callback)
    : Observer(object, keyPath, true, std::move(callback))
{}

Observer::Observer(QObject* object, const QString& keyPath, bool fireInitial, Callback callback)
    : callback_(std::move(callback))
    , object_(object)
    , keyPath_(keyPath)
    , observation_(object, keyPath,
                   fireInitial ? foundation::KeyValueObservation::InitialValue::deliver
                               : foundation::KeyValueObservation::InitialValue::skip,
                   [this](const QVariant& value) {
                       if (callback_) {
                           callback_(value);
                       }
                   })
{}

} // namespace tessaline
