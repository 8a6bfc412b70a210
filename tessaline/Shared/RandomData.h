#pragma once

#include "tessaline/Shared/TessalineExport.h"

#include <QByteArray>

namespace tessaline {

// length bytes from the system's cryptographically secure random source; length is not negative.
TESSALINE_EXPORT QByteArray secureRandomData(qsizetype length);

} // namespace tessaline
