#pragma once

namespace store {

// Which way a recorded undo step is replayed: undo walks its changes backwards to the state before
// them, redo walks them forwards again.
enum class UndoDirection
{
    undo,
    redo
};

} // namespace store
