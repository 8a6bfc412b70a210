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

    QObject* first() const { return first_; }
    const QString& firstKeyPath() const { return firstKeyPath_; }
    QObject* second() const { return second_; }
    const QString& secondKeyPath() const { return secondKeyPath_; }
    bool twoWayBinding() const { return twoWayBinding_; }
    const Transformer& forwardTransformer() const { return forwardTransformer_; }
    const Transformer& reverseTransformer() const { return reverseTransformer_; }

private:
    void transfer(const QVariant& changedValue, QObject* target, const QString& targetKeyPath,
                  const Transformer& transformer);

    QPointer<QObject> first_;
    QString firstKeyPath_;
    QPointer<QObject> second_;
    QString secondKeyPath_;
    bool twoWayBinding_;
    Transformer forwardTransformer_;
    Transformer reverseTransformer_;
    // Last, so that the observations end before the fields they use go.
    foundation::KeyValueObservation firstObservation_;
    foundation::KeyValueObservation secondObservation_;
};

} // namespace tessaline
