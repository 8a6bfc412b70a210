#pragma once

#include <QString>
#include <utility>

namespace foundation {

// A recoverable failure as a library reports it: which of the library's own codes, and a sentence for
// the user saying what went wrong. A library keeps its codes and its names by declaring its enum and
// naming the error after it (`using Error = foundation::CodedError<ErrorCode>;`), so that callers write
// `Error::Code::validation` and compare codes without reading messages.
template <typename CodeType> class CodedError
{
public:
    using Code = CodeType;

    CodedError(Code code, QString message)
        : m_code(code)
        , m_message(std::move(message))
    {}

    Code code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    Code m_code;
    QString m_message;
};

} // namespace foundation
