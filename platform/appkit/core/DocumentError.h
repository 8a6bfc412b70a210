#pragma once

#include "foundation/Expected.h"

#include <QString>

namespace appkit {

// Why a document could not be opened, saved or reverted. The message is meant for the user: whole
// sentences that name the document or file and say what is wrong with it.
class DocumentError
{
public:
    explicit DocumentError(QString message)
        : m_message(std::move(message))
    {}

    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A value, or the DocumentError that kept it from being made.
template <typename T = void> using DocumentResult = foundation::Expected<T, DocumentError>;

inline foundation::Unexpected<DocumentError> documentFailure(QString message)
{
    return foundation::Unexpected<DocumentError>(DocumentError(std::move(message)));
}

} // namespace appkit
