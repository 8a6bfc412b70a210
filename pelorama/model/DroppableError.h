#pragma once

#include <QString>

namespace pelorama::model {

// Why a dropped image file was not taken: its bytes could not be read (the message says why, as the
// system reported it), or they are no picture ("The image could not be decoded.").
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
