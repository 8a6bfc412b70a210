#pragma once

#include "store/UndoEntry.h"

#include <QPointer>
#include <QUndoCommand>
#include <vector>

namespace store {

class ManagedObjectContext;

// The changes of one pass of the event loop, or of one ScopedUndoGroup. It is pushed when the pass or
// group records its first change and keeps collecting until it ends; undo walks the entries backwards,
// redo forwards.
class UndoGroupCommand : public QUndoCommand
{
public:
    explicit UndoGroupCommand(ManagedObjectContext* context);

    void append(UndoEntry entry) { m_entries.push_back(std::move(entry)); }
    bool belongsTo(const ManagedObjectContext* context) const { return m_context == context; }
    // What the step changed, in the order it changed it.
    const std::vector<UndoEntry>& entries() const { return m_entries; }
    void undo() override;
    void redo() override;

private:
    QPointer<ManagedObjectContext> m_context;
    std::vector<UndoEntry> m_entries;
    bool m_pushed = false;
};

} // namespace store
