#include "foundation/ProcessorCount.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <sched.h>

namespace foundation {

namespace {

// The processors in the affinity mask, for machines with any number of them.
std::optional<int> affinityProcessorCount()
{
    for (int processors = 1024; processors <= 1 << 20; processors *= 2) {
        const std::unique_ptr<cpu_set_t, void (*)(cpu_set_t*)> set(CPU_ALLOC(processors),
                                                                   [](cpu_set_t* freed) { CPU_FREE(freed); });
        if (!set)
            return std::nullopt;
        const std::size_t size = CPU_ALLOC_SIZE(processors);
        if (sched_getaffinity(0, size, set.get()) == 0)
            return CPU_COUNT_S(size, set.get());
        if (errno != EINVAL)
            return std::nullopt;
    }
    return std::nullopt;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Mount information escapes blanks and backslashes in paths as three octal digits.
QString unescapeMountPath(const QByteArray& field)
{
    QByteArray path;
    for (qsizetype at = 0; at < field.size(); ++at) {
        bool octal = false;
        const int code =
            field[at] == '\\' && at + 3 < field.size() ? field.mid(at + 1, 3).toInt(&octal, 8) : 0;
        if (octal) {
            path.append(char(code));
            at += 3;
        } else {
            path.append(field[at]);
        }
    }
    return QString::fromUtf8(path);
}

// Where one hierarchy of control groups is mounted: its root, as a group path, and the directory.
struct Mount
{
    QString root;
    QString directory;
};

// A control group hierarchy: version 2, or version 1 with the cpu controller.
struct Hierarchy
{
    bool unified = false;
    QString group;
};

std::vector<Hierarchy> processGroups(const QString& cgroupFile)
{
    std::vector<Hierarchy> groups;
    for (const QByteArray& line : readFile(cgroupFile).split('\n')) {
        // "id:controllers:path"; the unified hierarchy has id 0 and no controllers.
        const qsizetype first = line.indexOf(':');
        const qsizetype second = line.indexOf(':', first + 1);
        if (first < 0 || second < 0)
            continue;
        const QByteArray controllers = line.mid(first + 1, second - first - 1);
        const QString group = QString::fromUtf8(line.mid(second + 1));
        if (line.left(first) == "0" && controllers.isEmpty())
            groups.push_back({true, group});
        else if (controllers.split(',').contains("cpu"))
            groups.push_back({false, group});
    }
    return groups;
}

std::vector<Mount> mounts(const QString& mountInfoFile, bool unified)
{
    std::vector<Mount> found;
    for (const QByteArray& line : readFile(mountInfoFile).split('\n')) {
        // "id parent device root mountpoint options [optional fields] - type source superoptions"
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (separator < 6 || separator + 3 >= fields.size())
            continue;
        const QByteArray& type = fields[separator + 1];
        const bool matches = unified ? type == "cgroup2"
                                     : type == "cgroup" && fields[separator + 3].split(',').contains("cpu");
        if (matches)
            found.push_back({unescapeMountPath(fields[3]), unescapeMountPath(fields[4])});
    }
    return found;
}

// Whole processors' worth of quota over period, rounded up; nothing for no quota.
std::optional<int> processors(qint64 quota, qint64 period)
{
    if (quota <= 0 || period <= 0)
        return std::nullopt;
    return int(std::max<qint64>(1, (quota + period - 1) / period));
}

// One group's own quota: "max period" or "quota period" in version 2, two files in version 1.
std::optional<int> groupQuota(const QString& directory, bool unified)
{
    if (unified) {
        const QList<QByteArray> fields =
            readFile(directory + QStringLiteral("/cpu.max")).trimmed().split(' ');
        if (fields.size() != 2 || fields[0] == "max")
            return std::nullopt;
        return processors(fields[0].toLongLong(), fields[1].toLongLong());
    }
    return processors(readFile(directory + QStringLiteral("/cpu.cfs_quota_us")).trimmed().toLongLong(),
                      readFile(directory + QStringLiteral("/cpu.cfs_period_us")).trimmed().toLongLong());
}

std::optional<int> smaller(std::optional<int> a, std::optional<int> b)
{
    if (!a || !b)
        return a ? a : b;
    return std::min(*a, *b);
}

} // namespace

std::optional<int> cgroupProcessorQuota(const QString& cgroupFile, const QString& mountInfoFile)
{
    std::optional<int> quota;
    for (const Hierarchy& hierarchy : processGroups(cgroupFile)) {
        for (const Mount& mount : mounts(mountInfoFile, hierarchy.unified)) {
            // The group as seen under this mount, which may show only part of the hierarchy.
            const QString root = mount.root == QLatin1String("/") ? QString() : mount.root;
            if (!hierarchy.group.startsWith(root + QLatin1Char('/')) && hierarchy.group != root)
                continue;
            const QString top = QDir::cleanPath(mount.directory);
            QString directory = QDir::cleanPath(top + hierarchy.group.mid(root.size()));
            // The group's own quota, then those of the groups above it up to the mount.
            while (directory == top || directory.startsWith(top + QLatin1Char('/'))) {
                quota = smaller(quota, groupQuota(directory, hierarchy.unified));
                if (directory == top)
                    break;
                directory.truncate(directory.lastIndexOf(QLatin1Char('/')));
            }
        }
    }
    return quota;
}

int usableProcessorCount()
{
    const int allowed = affinityProcessorCount().value_or(1);
    return std::max(1, std::min(allowed, cgroupProcessorQuota().value_or(allowed)));
}

} // namespace foundation
