#pragma once

#include <QString>

namespace foundation {

// Why a regular file could not be read: what went wrong, what the caller may tell the user, and a
// sentence saying so that callers without one of their own can show.
class RegularFileError
{
public:
    enum class Code
    {
        // The system could not open or read it, or it changed while it was being read.
        unreadable,
        // A folder, device, pipe or socket.
        notRegularFile,
        // Larger than the caller reads.
        tooLarge,
    };

    static RegularFileError unreadable(int systemError, QString message)
    {
        return RegularFileError(Code::unreadable, std::move(message), 0, false, systemError);
    }
    static RegularFileError notRegularFile(bool folder, QString message)
    {
        return RegularFileError(Code::notRegularFile, std::move(message), 0, folder, 0);
    }
    static RegularFileError tooLarge(qint64 size, QString message)
    {
        return RegularFileError(Code::tooLarge, std::move(message), size, false, 0);
    }

    Code code() const { return m_code; }
    const QString& message() const { return m_message; }
    // The file's size, of a file too large.
    qint64 size() const { return m_size; }
    // Whether what is not a regular file is a folder.
    bool isFolder() const { return m_folder; }
    // The errno the system gave, of an unreadable file; 0 when the file changed while it was read.
    int systemError() const { return m_systemError; }

private:
    RegularFileError(Code code, QString message, qint64 size, bool folder, int systemError)
        : m_code(code)
        , m_message(std::move(message))
        , m_size(size)
        , m_folder(folder)
        , m_systemError(systemError)
    {}

    Code m_code;
    QString m_message;
    qint64 m_size;
    bool m_folder;
    int m_systemError;
};

} // namespace foundation
