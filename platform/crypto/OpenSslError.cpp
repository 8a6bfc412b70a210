#include "crypto/OpenSslError.h"

#include <openssl/err.h>

namespace crypto {

Status takeOpenSslError()
{
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    return code == 0 ? 1 : code;
}

} // namespace crypto
