#pragma once

#include "ScriptedUserInterface.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <linux/capability.h>
#include <memory>
#include <mutex>
#include <thread>

// Every entry below a folder (hidden ones too, links not followed) with its kind and contents, to show
// that nothing on disk changed.
QMap<QString, QByteArray> snapshotOfFolder(const QString& path);

// While it lives, a test that runs longer than the limit ends the test program with a message, so that
// a test that hangs (in a blocking open, say) fails instead of stalling the run.
class Watchdog
{
public:
    explicit Watchdog(std::chrono::seconds limit);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    std::thread m_thread;
};

// While it lives, file permissions hold for this thread even when it runs as root: the capabilities that
// override them are lowered and raised again afterwards.
class FilePermissionsEnforced
{
public:
    FilePermissionsEnforced();
    ~FilePermissionsEnforced();
    FilePermissionsEnforced(const FilePermissionsEnforced&) = delete;
    FilePermissionsEnforced& operator=(const FilePermissionsEnforced&) = delete;

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_lowered = false;
};

// Makes path and every folder below it read-only (or writable again).
void setFolderWritable(const QString& path, bool writable);
