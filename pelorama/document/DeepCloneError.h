#pragma once

#include <QString>

namespace pelorama::document {

// Why a deep clone could not be made.
class DeepCloneError
{
public:
    enum class Code
    {
        entityWithoutContext, // the object to clone belongs to no managed object context
    };

    explicit DeepCloneError(Code code)
        : m_code(code)
    {}

    Code code() const { return m_code; }
    // "Entity without managed object context".
    QString description() const;

private:
    Code m_code;
};

} // namespace pelorama::document
