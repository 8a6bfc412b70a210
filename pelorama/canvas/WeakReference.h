#pragma once

#include <QObject>
#include <QPointer>

namespace pelorama::canvas {

// A non-owning reference to an object seen through one of its interfaces. When the object is a QObject
// the reference empties itself once the object is destroyed; other objects must outlive the reference.
template <typename T> class WeakReference
{
public:
    WeakReference() = default;
    WeakReference(T* pointer)
        : m_pointer(pointer)
        , m_object(dynamic_cast<QObject*>(pointer))
        , m_isObject(m_object != nullptr)
    {}

    T* get() const { return m_isObject && !m_object ? nullptr : m_pointer; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    T* m_pointer = nullptr;
    QPointer<QObject> m_object;
    bool m_isObject = false;
};

} // namespace pelorama::canvas
