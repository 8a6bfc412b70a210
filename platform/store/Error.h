#pragma once

#include <QString>

namespace store {

// A recoverable failure of the store: a model that does not load, a store file that cannot be opened, a
// save that was refused (validation, deny rule, database error). The message is meant for the user.
class Error
{
public:
    enum class Code
    {
        modelInvalid,
        storeOpenFailed,
        storeSchemaMismatch,
        storeReadFailed,
        storeSaveFailed,
        validation,
        deleteDenied,
        objectNotFound,
        noStore,
    };

    Error(Code code, QString message)
        : m_code(code)
        , m_message(std::move(message))
    {}

    Code code() const { return m_code; }
    const QString& message() const { return m_message; }

private:
    Code m_code;
    QString m_message;
};

} // namespace store
