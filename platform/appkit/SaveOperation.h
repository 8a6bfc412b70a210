#pragma once

namespace appkit {

// Why a document is being written.
enum class SaveOperation
{
    Save,     // in place, at the user's request
    SaveAs,   // to a new location, which the document then lives at
    Autosave, // in place, on the autosave timer or before closing
};

} // namespace appkit
