#include "tessaline/Shared/CryptorError.h"

namespace tessaline {

CryptorError::CryptorError(Code code)
    : m_code(code)
{}

QString CryptorError::domain()
{
    return QStringLiteral("Tessaline.CryptorError");
}

const char* CryptorError::what() const noexcept
{
    switch (m_code) {
    case Code::invalidFileFormat:
        return "Tessaline.CryptorError 0 (invalidFileFormat)";
    case Code::invalidHMAC:
        return "Tessaline.CryptorError 1 (invalidHMAC)";
    case Code::truncatedFile:
        return "Tessaline.CryptorError 2 (truncatedFile)";
    }
    return "Tessaline.CryptorError";
}

} // namespace tessaline
