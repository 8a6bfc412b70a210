#include "foundation/Fatal.h"

#include <cstdio>
#include <cstdlib>

namespace foundation {

void fatal(const QString& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "Fatal error: %s\n", message.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

} // namespace foundation
