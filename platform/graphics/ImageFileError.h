#pragma once

#include "foundation/CodedError.h"

namespace graphics {

enum class ImageFileErrorCode
{
    // The system could not open or read it; the message is the system's.
    unreadable,
    // A folder, device, pipe or socket.
    notRegularFile,
    // Larger than any picture file that opens.
    fileTooLarge,
    // No decoder reads its bytes, or they are damaged or cut short.
    notAnImage,
    // Its picture would take more memory than a decoder may use.
    imageTooLarge,
};

// Why a picture file could not be read: what went wrong, and a sentence for the user saying so.
using ImageFileError = foundation::CodedError<ImageFileErrorCode>;

} // namespace graphics
