#include "tessaline/Shared/Binding.h"

#include "foundation/Diagnostics.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/Values.h"

#include <algorithm>
#include <vector>

namespace tessaline {
namespace {

using foundation::KeyValueObservation;

// The bindings writing on this thread right now; their observers ignore what that write announces.
thread_local std::vector<const Binding*> writingBindings;

class WriteGuard
{
public:
    explicit WriteGuard(const Binding* binding) { writingBindings.push_back(binding); }
    ~WriteGuard() { writingBindings.pop_back(); }
    WriteGuard(const WriteGuard&) = delete;
    WriteGuard& operator=(const WriteGuard&) = delete;

    static bool isWriting(const Binding* binding)
    {
        return std::find(writingBindings.begin(), writingBindings.end(), binding) != writingBindings.end();
    }
};

QVariant noneForNil(const QVariant& value)
{
    return foundation::isNil(value) ? QVariant() : value;
}

} // namespace

Binding::Binding(QObject* first, const QString& firstKeyPath, QObject* second, const QString& secondKeyPath,
                 bool twoWayBinding, Transformer forwardTransformer, Transformer reverseTransformer)
    : m_first(first)
    , m_firstKeyPath(firstKeyPath)
    , m_second(second)
    , m_secondKeyPath(secondKeyPath)
    , m_twoWayBinding(twoWayBinding)
    , m_forwardTransformer(std::move(forwardTransformer))
    , m_reverseTransformer(std::move(reverseTransformer))
{
    // Unknown keys on either side are refused before anything is written.
    foundation::valueForKeyPath(second, secondKeyPath);
    m_firstObservation = KeyValueObservation(
        first, firstKeyPath, KeyValueObservation::InitialValue::deliver,
        [this](const QVariant& value) { transfer(value, m_second, m_secondKeyPath, m_forwardTransformer); });
    if (m_twoWayBinding) {
        m_secondObservation = KeyValueObservation(
            second, secondKeyPath, KeyValueObservation::InitialValue::skip, [this](const QVariant& value) {
                transfer(value, m_first, m_firstKeyPath, m_reverseTransformer);
            });
    }
}

void Binding::transfer(const QVariant& changedValue, QObject* target, const QString& targetKeyPath,
                       const Transformer& transformer)
{
    if (!target || WriteGuard::isWriting(this)) {
        return;
    }
    QVariant value = noneForNil(changedValue);
    if (transformer) {
        value = noneForNil(transformer(value));
    }
    try {
        const QVariant current = foundation::valueForKeyPath(target, targetKeyPath);
        const bool write =
            foundation::isNil(current) ? value.isValid() : !foundation::valuesEqual(current, value);
        if (!write) {
            return;
        }
        const WriteGuard guard(this);
        foundation::setValueForKeyPath(target, value, targetKeyPath);
    } catch (const foundation::KeyValueError& error) {
        foundation::warning(QStringLiteral("Binding could not update a value: %1").arg(error.message()));
    }
}

} // namespace tessaline
