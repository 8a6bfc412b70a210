#pragma once

namespace tessaline {

// Direction of a CryptorEngine; the case's position is its code (encrypt 0, decrypt 1).
enum class CryptorOperation
{
    encrypt,
    decrypt,
};

} // namespace tessaline
