#include "foundation/ProcessorCount.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <sched.h>

namespace {

// Files of a made-up /proc/self and control group tree under a temporary folder; "%1" in a text stands
// for the folder.
struct QuotaCase
{
    const char* name;
    std::map<QString, QString> files;
    std::optional<int> processors;
};

const QString v1Mount = QStringLiteral("32 31 0:29 / %1/cpu rw,relatime - cgroup cgroup rw,cpu,cpuacct\n");
const QString v2Mount = QStringLiteral("41 31 0:38 / %1/unified rw,relatime - cgroup2 cgroup2 rw\n");

} // namespace

TEST(FoundationTest, TheCpuQuotasOfTheProcessGroupsLimitItsProcessors)
{
    const QuotaCase cases[] = {
        {"no quota",
         {{"cgroup", "0::/app\n"}, {"mountinfo", v2Mount}, {"unified/app/cpu.max", "max 100000\n"}},
         {}},
        {"a quota rounds up",
         {{"cgroup", "0::/app\n"}, {"mountinfo", v2Mount}, {"unified/app/cpu.max", "250000 100000\n"}},
         3},
        {"a group above holds less",
         {{"cgroup", "0::/app/job\n"},
          {"mountinfo", v2Mount},
          {"unified/cpu.max", "max 100000\n"},
          {"unified/app/cpu.max", "100000 100000\n"},
          {"unified/app/job/cpu.max", "400000 100000\n"}},
         1},
        {"version 1 with its cpu controller",
         {{"cgroup", "5:memory:/docker/c1\n4:cpu,cpuacct:/docker/c1\n0::/\n"},
          {"mountinfo", v1Mount + v2Mount},
          {"cpu/docker/c1/cpu.cfs_quota_us", "-1\n"},
          {"cpu/docker/c1/cpu.cfs_period_us", "100000\n"},
          {"cpu/docker/cpu.cfs_quota_us", "150000\n"},
          {"cpu/docker/cpu.cfs_period_us", "100000\n"}},
         2},
        {"a mount that shows only the process's own group",
         {{"cgroup", "0::/docker/c1\n"},
          {"mountinfo", "41 31 0:38 /docker/c1 %1/unified rw - cgroup2 cgroup2 rw\n"},
          {"unified/cpu.max", "200000 100000\n"}},
         2},
        {"a group outside the mount",
         {{"cgroup", "0::/elsewhere\n"},
          {"mountinfo", "41 31 0:38 /docker/c1 %1/unified rw - cgroup2 cgroup2 rw\n"},
          {"unified/cpu.max", "200000 100000\n"}},
         {}},
        {"no control groups", {}, {}},
    };
    for (const QuotaCase& quotaCase : cases) {
        SCOPED_TRACE(quotaCase.name);
        QTemporaryDir root;
        for (const auto& [path, text] : quotaCase.files) {
            QFile file(root.filePath(path));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QString(text).replace(QStringLiteral("%1"), root.path()).toUtf8());
        }
        EXPECT_EQ(foundation::cgroupProcessorQuota(root.filePath("cgroup"), root.filePath("mountinfo")),
                  quotaCase.processors);
    }
}

// A process allowed two processors has a worker pool of two threads, and jobs that fill the pool, each
// splitting its work again, still run on no more threads than that.
TEST(FoundationTest, TheWorkerPoolKeepsToTheProcessorsTheProcessMayUse)
{
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof(allowed), &allowed), 0);
    cpu_set_t two;
    CPU_ZERO(&two);
    for (int processor = 0; processor < CPU_SETSIZE && CPU_COUNT(&two) < 2; ++processor) {
        if (CPU_ISSET(processor, &allowed))
            CPU_SET(processor, &two);
    }
    const int expected = std::min(CPU_COUNT(&two), foundation::usableProcessorCount());

    QProcess probe;
    probe.setChildProcessModifier([&two] { sched_setaffinity(0, sizeof(two), &two); });
    probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    probe.start(WORKER_POOL_PROBE_PATH, {});
    ASSERT_TRUE(probe.waitForFinished(60'000));
    ASSERT_EQ(probe.exitCode(), 0);
    const QList<QByteArray> counts = probe.readAllStandardOutput().trimmed().split(' ');
    ASSERT_EQ(counts.size(), 4);
    EXPECT_EQ(counts[0].toInt(), expected) << "usable processors";
    EXPECT_EQ(counts[1].toInt(), expected) << "pool threads";
    EXPECT_GE(counts[2].toInt(), 1);
    EXPECT_LE(counts[2].toInt(), expected) << "threads that ran loop calls";
    EXPECT_LE(counts[3].toInt(), expected) << "loop calls at once";
}
