#pragma once

#include "foundation/KeyValueObservation.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

namespace tessaline {

// Keeps secondKeyPath of second equal to firstKeyPath of first, and with twoWayBinding the other way round
// too, for as long as the Binding lives. Values pass through the direction's transformer when there is one;
// "none" is an invalid QVariant both for the transformers and for nil values.
//
// At creation the first value is pushed to the second object (nothing flows back). A value is written only
// when the target does not already hold an equal one (foundation::valuesEqual), so an equal value does not
// notify the target's observers. The notification caused by the binding's own write is ignored, so a
// two-way binding whose transformers are not exact inverses cannot bounce values back and forth. Everything
// runs synchronously on the thread that changed the source. Throws foundation::KeyValueError when a key is
// unknown at creation; a write that fails later is reported as a warning.
class TESSALINE_EXPORT Binding
{
public:
    using Transformer = std::function<QVariant(const QVariant& value)>;

    Binding(QObject* first, const QString& firstKeyPath, QObject* second, const QString& secondKeyPath,
            bool twoWayBinding = true, Transformer forwardTransformer = {},
            Transformer reverseTransformer = {});
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    QObject* first() const { return m_first; }
    const QString& firstKeyPath() const { return m_firstKeyPath; }
    QObject* second() const { return m_second; }
    const QString& secondKeyPath() const { return m_secondKeyPath; }
    bool twoWayBinding() const { return m_twoWayBinding; }
    const Transformer& forwardTransformer() const { return m_forwardTransformer; }
    const Transformer& reverseTransformer() const { return m_reverseTransformer; }

private:
    void transfer(const QVariant& changedValue, QObject* target, const QString& targetKeyPath,
                  const Transformer& transformer);

    QPointer<QObject> m_first;
    QString m_firstKeyPath;
    QPointer<QObject> m_second;
    QString m_secondKeyPath;
    bool m_twoWayBinding;
    Transformer m_forwardTransformer;
    Transformer m_reverseTransformer;
    // Last, so that the observations end before the fields they use go.
    foundation::KeyValueObservation m_firstObservation;
    foundation::KeyValueObservation m_secondObservation;
};

} // namespace tessaline
