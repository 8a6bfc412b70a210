#include "foundation/Diagnostics.h"

#include <cstdio>
#include <mutex>

namespace foundation {
namespace {

void printPrefixed(const char* prefix, const QString& message)
{
    // One lock keeps lines from different threads whole.
    static std::mutex mutex;
    const QByteArray text = message.toUtf8();
    const std::lock_guard lock(mutex);
    std::fprintf(stdout, "%s%s\n", prefix, text.constData());
    std::fflush(stdout);
}

} // namespace

void warning(const QString& message)
{
    printPrefixed("Warning: ", message);
}

void note(const QString& message)
{
    printPrefixed("Note: ", message);
}

void printLine(const QString& line)
{
    printPrefixed("", line);
}

} // namespace foundation
