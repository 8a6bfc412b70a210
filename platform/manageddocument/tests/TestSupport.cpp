#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <sys/syscall.h>
#include <unistd.h>

QMap<QString, QByteArray> snapshotOfFolder(const QString& path)
{
    QMap<QString, QByteArray> entries;
    const QFileInfo root(path);
    entries.insert(".", root.isDir() ? "folder" : root.exists() ? "file" : "nothing");
    if (root.isFile()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            entries["."] += file.readAll();
    }
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        const QFileInfo info(entry);
        QByteArray description = info.isSymLink() ? "link:" + QFile::encodeName(info.symLinkTarget())
                                 : info.isDir()   ? QByteArray("folder")
                                                  : QByteArray("file:");
        if (info.isFile() && !info.isSymLink()) {
            QFile file(entry);
            if (file.open(QIODevice::ReadOnly))
                description += file.readAll();
            description += ":" + QByteArray::number(info.lastModified().toMSecsSinceEpoch());
        }
        entries.insert(QDir(path).relativeFilePath(entry), description);
    }
    return entries;
}

Watchdog::Watchdog(std::chrono::seconds limit)
    : m_thread([this, limit] {
        std::unique_lock lock(m_mutex);
        if (!m_finished.wait_for(lock, limit, [this] { return m_done; })) {
            std::fprintf(stderr, "The test did not finish within %lld s.\n",
                         static_cast<long long>(limit.count()));
            std::abort();
        }
    })
{}

Watchdog::~Watchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_finished.notify_one();
    m_thread.join();
}

FilePermissionsEnforced::FilePermissionsEnforced()
{
    m_header.version = _LINUX_CAPABILITY_VERSION_3;
    m_header.pid = 0;
    if (::syscall(SYS_capget, &m_header, m_saved) != 0)
        return;
    __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
    for (int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        lowered[capability / 32].effective &= ~(1u << (capability % 32));
    m_lowered = ::syscall(SYS_capset, &m_header, lowered) == 0;
}

FilePermissionsEnforced::~FilePermissionsEnforced()
{
    if (m_lowered)
        ::syscall(SYS_capset, &m_header, m_saved);
}

void setFolderWritable(const QString& path, bool writable)
{
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    const QFile::Permissions permissions = writable ? readable | QFile::WriteOwner : readable;
    QDirIterator it(path, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        QFile::setPermissions(it.next(), permissions);
    QFile::setPermissions(path, permissions);
}
