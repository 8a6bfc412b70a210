#include "crypto/RandomBytes.h"

#include "crypto/OpenSslError.h"

#include <algorithm>
#include <limits>
#include <openssl/rand.h>

namespace crypto {

Result<QByteArray> randomBytes(qsizetype length)
{
    if (length < 0)
        return failure(1);
    QByteArray bytes(length, Qt::Uninitialized);
    for (qsizetype offset = 0; offset < length;) {
        const qsizetype slice = std::min<qsizetype>(length - offset, std::numeric_limits<int>::max());
        if (RAND_bytes(reinterpret_cast<unsigned char*>(bytes.data() + offset), int(slice)) != 1)
            return failure(takeOpenSslError());
        offset += slice;
    }
    return bytes;
}

} // namespace crypto
