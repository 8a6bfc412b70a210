// Undo: recording changes into one step per pass (or per scoped group) and replaying steps.

#include "store/EntityDescription.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/SaveJournal.h"
#include "store/UndoEntry.h"
#include "store/UndoGroupCommand.h"

#include <QUndoStack>

namespace store {

void ManagedObjectContext::setUndoStack(QUndoStack* stack)
{
    m_undoStack = stack;
    m_openUndoGroup = nullptr;
}

void ManagedObjectContext::registerUndo(UndoEntry entry)
{
    if (!m_undoStack || m_applyingUndo || isAwaking())
        return;
    if (m_saveJournal) {
        // Kept back until the save is known to succeed.
        m_saveJournal->recordUndo(std::move(entry));
        return;
    }
    // The open group must still be the stack's top command; the stack may have been cleared since.
    const int top = m_undoStack->index();
    const auto* topGroup =
        top > 0 ? dynamic_cast<const UndoGroupCommand*>(m_undoStack->command(top - 1)) : nullptr;
    if (!m_openUndoGroup || topGroup != m_openUndoGroup || !topGroup->belongsTo(this)) {
        auto group = std::make_unique<UndoGroupCommand>(this);
        if (m_undoGroupDepth > 0)
            group->setText(m_undoGroupName);
        m_openUndoGroup = group.get();
        m_undoStack->push(group.release());
        scheduleEndOfPass();
    }
    m_openUndoGroup->append(std::move(entry));
}

void ManagedObjectContext::closeUndoGroup()
{
    m_openUndoGroup = nullptr;
}

void ManagedObjectContext::beginUndoGroup(const QString& name)
{
    if (m_undoGroupDepth++ == 0) {
        closeUndoGroup();
        m_undoGroupName = name;
    }
}

void ManagedObjectContext::endUndoGroup()
{
    if (--m_undoGroupDepth == 0) {
        closeUndoGroup();
        m_undoGroupName.clear();
    }
}

void ManagedObjectContext::applyUndoEntries(const std::vector<UndoEntry>& entries, UndoDirection direction)
{
    closeUndoGroup();
    // Objects let go of since (their deletion was saved) come back for the step; the ones that stay
    // out of the graph are let go of again at the next save.
    for (const UndoEntry& entry : entries) {
        if (entry.object && entry.object->m_context == this && !entry.object->m_registered &&
            !registered(entry.id))
            m_objects.add(entry.object);
    }
    const bool backwards = direction == UndoDirection::undo;
    m_applyingUndo = true;
    auto apply = [&](const UndoEntry& entry) {
        ManagedObject* object = objectForID(entry.id);
        if (!object)
            return;
        switch (entry.kind) {
        case UndoEntry::Kind::value: {
            const QVariant& value = backwards ? entry.before : entry.after;
            if (const qsizetype index = object->entity().attributeIndex(entry.key); index >= 0) {
                object->willChangeValueForKey(entry.key);
                object->m_values.setAttribute(index, value);
                object->didChangeValueForKey(entry.key);
            } else {
                object->setLinks(entry.key, value.value<QList<ManagedObjectID>>());
            }
            break;
        }
        case UndoEntry::Kind::insertion:
            setPresent(object, !backwards);
            break;
        case UndoEntry::Kind::deletion:
            setPresent(object, backwards);
            break;
        }
    };
    if (backwards) {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            apply(*it);
    } else {
        for (const UndoEntry& entry : entries)
            apply(entry);
    }
    m_applyingUndo = false;
    processPendingChanges();
}

} // namespace store
