#include "store/UndoGroupCommand.h"

#include "store/ManagedObjectContext.h"

namespace store {

UndoGroupCommand::UndoGroupCommand(ManagedObjectContext* context)
    : m_context(context)
{}

void UndoGroupCommand::undo()
{
    if (m_context)
        m_context->applyUndoEntries(m_entries, UndoDirection::undo);
}

void UndoGroupCommand::redo()
{
    // QUndoStack::push calls redo on a change that has already happened.
    if (!m_pushed) {
        m_pushed = true;
        return;
    }
    if (m_context)
        m_context->applyUndoEntries(m_entries, UndoDirection::redo);
}

} // namespace store
