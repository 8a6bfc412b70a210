#pragma once

#include <QPointer>
#include <QString>

namespace store {

class ManagedObjectContext;

// Makes every change a context records while the group is open one undo step, also across passes of
// the event loop: a drag opens one at press and lets it go at release or cancel. Opening a group starts
// a new step; groups nest and the outermost one decides, also on the step's name (the text its undo
// command carries, which an Edit menu shows: "Undo Paste"). A group that outlives its context does
// nothing. Used on the context's queue, like the context.
class ScopedUndoGroup
{
public:
    explicit ScopedUndoGroup(ManagedObjectContext& context, const QString& name = {});
    ~ScopedUndoGroup();
    ScopedUndoGroup(ScopedUndoGroup&& other) noexcept;
    ScopedUndoGroup& operator=(ScopedUndoGroup&& other) noexcept;
    ScopedUndoGroup(const ScopedUndoGroup&) = delete;
    ScopedUndoGroup& operator=(const ScopedUndoGroup&) = delete;

    bool isOpen() const { return !m_context.isNull(); }
    // Closes the group before its end of life; the next change starts a new step.
    void close();

private:
    QPointer<ManagedObjectContext> m_context;
};

} // namespace store
