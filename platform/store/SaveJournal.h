#pragma once

#include "store/ObjectSnapshot.h"
#include "store/PendingChanges.h"
#include "store/UndoEntry.h"

#include <QHash>
#include <QStringList>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

namespace store {

class ManagedObject;

// What a save changes before it knows whether it will succeed (the edits of willSave), kept so that a
// failed save can put the context back as it was: each object as it stood before its first change,
// the objects inserted meanwhile, the undo steps recorded meanwhile and the unannounced changes.
class SaveJournal
{
public:
    explicit SaveJournal(PendingChanges pending);
    ~SaveJournal();
    SaveJournal(SaveJournal&&) noexcept;
    SaveJournal& operator=(SaveJournal&&) noexcept;

    // Before the first change of object during the save.
    void recordObject(ManagedObject& object);
    void recordInsertion(ManagedObject& object);
    void recordUndo(UndoEntry entry) { m_undoEntries.push_back(std::move(entry)); }

    // The undo steps recorded meanwhile, for a save that succeeded.
    std::vector<UndoEntry> takeUndoEntries() { return std::move(m_undoEntries); }

    struct Reverted
    {
        std::vector<ManagedObject*> inserted;                        // to let go of
        std::vector<std::pair<ManagedObject*, QStringList>> changed; // keys whose value came back
        PendingChanges pending;                                      // the unannounced changes as they were
    };
    // Puts every recorded object back as it was.
    Reverted revert();

private:
    struct State
    {
        ManagedObject* object = nullptr;
        ObjectSnapshot values;
        std::unique_ptr<ObjectSnapshot> committed;
        QHash<QString, QVariant> changeStarts;
        bool inserted = false;
        bool updated = false;
        bool deleted = false;
        bool existsInSource = false;
    };

    std::vector<State> m_states;
    std::unordered_set<const ManagedObject*> m_recorded;
    std::unordered_set<const ManagedObject*> m_insertedSet;
    std::vector<ManagedObject*> m_inserted;
    std::vector<UndoEntry> m_undoEntries;
    PendingChanges m_pending;
};

} // namespace store
