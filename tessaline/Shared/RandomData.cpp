#include "tessaline/Shared/RandomData.h"

#include "crypto/RandomBytes.h"
#include "foundation/Fatal.h"

namespace tessaline {

QByteArray secureRandomData(qsizetype length)
{
    auto bytes = crypto::randomBytes(length);
    if (!bytes)
        foundation::fatal(
            QStringLiteral("Error: could not generate secure random data: %1").arg(bytes.error()));
    return std::move(bytes).value();
}

} // namespace tessaline
