#pragma once

#include "tessaline/Shared/TessalineExport.h"

#include <QString>
#include <exception>

namespace tessaline {

// What the container's reader throws. The code is the case's position; as an error object the domain is
// domain() and there is no user information.
class TESSALINE_EXPORT CryptorError : public std::exception
{
public:
    enum class Code
    {
        invalidFileFormat, // not a container, or one whose ciphertext cannot be deciphered
        invalidHMAC,       // the tag does not match: wrong passphrase, damaged or truncated container
        truncatedFile,     // no valid header was ever completed
    };

    explicit CryptorError(Code code);

    Code code() const { return m_code; }
    static QString domain();
    const char* what() const noexcept override;

    friend bool operator==(const CryptorError& left, const CryptorError& right)
    {
        return left.m_code == right.m_code;
    }

private:
    Code m_code;
};

} // namespace tessaline
