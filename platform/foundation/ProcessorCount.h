#pragma once

#include <QString>
#include <optional>

namespace foundation {

// How many threads this process can keep busy at once: the processors its affinity mask allows (as
// `taskset` sets it), fewer when a control group's CPU quota grants less time than that. At least 1.
// Read anew on every call.
int usableProcessorCount();

// The processors' worth of time the CPU quotas of the process's control groups grant it, rounded up,
// or nothing when no group sets a quota. A group is limited by its own quota and by those of the groups
// above it; both control group versions count. Reads the process's groups from cgroupFile (as
// /proc/self/cgroup) and where they are mounted from mountInfoFile (as /proc/self/mountinfo).
std::optional<int>
cgroupProcessorQuota(const QString& cgroupFile = QStringLiteral("/proc/self/cgroup"),
                     const QString& mountInfoFile = QStringLiteral("/proc/self/mountinfo"));

} // namespace foundation
