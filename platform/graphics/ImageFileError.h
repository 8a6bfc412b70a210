#pragma once

#include <QString>

namespace graphics {

// Why a picture file could not be read: what went wrong, and a sentence for the user saying so.
class ImageFileError
{
public:
    enum class Code
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

    ImageFileError(Code code, QString message)
        : m_code(code)
        , m_message(std::move(message))
    {}

    Code code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    Code m_code;
    QString m_message;
};

} // namespace graphics
