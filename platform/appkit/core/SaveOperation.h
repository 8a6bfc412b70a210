#pragma once

namespace appkit {

// Why a document is being written.
enum class SaveOperation
{
    save,     // in place, at the user's request
    saveAs,   // to a new location, which the document then lives at
    autosave, // in place, on the autosave timer or before closing
};

} // namespace appkit
