#pragma once

#include "store/ScopedUndoGroup.h"

#include <QObject>
#include <QPointer>
#include <optional>

namespace store {
class ManagedObjectContext;
} // namespace store

namespace pelorama::app {

// Makes each mouse gesture in the inspector one undo step: the angle dial and the number fields write
// at every step of a drag or of a held arrow, so the context's changes from a press inside the
// inspector until the release form one group.
class InspectorUndoGrouping : public QObject
{
    Q_OBJECT

public:
    InspectorUndoGrouping(QWidget& inspector, store::ManagedObjectContext& context,
                          QObject* parent = nullptr);
    ~InspectorUndoGrouping() override;

    bool isGestureOpen() const { return m_group.has_value(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_inspector;
    QPointer<store::ManagedObjectContext> m_context;
    std::optional<store::ScopedUndoGroup> m_group;
};

} // namespace pelorama::app
