#pragma once

#include <QString>

namespace foundation {

// Stops the process on a broken contract: prints "Fatal error: <message>" to standard error and aborts.
[[noreturn]] void fatal(const QString& message);

} // namespace foundation
