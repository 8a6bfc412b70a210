#pragma once

#include <QString>

namespace pelorama::model {

// Why a dropped image file was not taken: it could not or would not be read (the system's reason, or
// that it is no regular file, or too large a file or picture: the message says which), or its bytes are
// no picture ("The image could not be decoded.").
class DroppableError
{
public:
    enum class Code
    {
        imageLoadingFailure,
        fileReadFailure,
    };

    static DroppableError imageLoadingFailure() { return DroppableError(Code::imageLoadingFailure, {}); }
    static DroppableError fileReadFailure(QString message)
    {
        return DroppableError(Code::fileReadFailure, std::move(message));
    }

    Code code() const { return m_code; }
    QString localizedDescription() const
    {
        return m_code == Code::imageLoadingFailure ? QStringLiteral("The image could not be decoded.")
                                                   : m_message;
    }

private:
    DroppableError(Code code, QString message)
        : m_code(code)
        , m_message(std::move(message))
    {}

    Code m_code;
    QString m_message;
};

} // namespace pelorama::model
