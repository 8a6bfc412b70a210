#pragma once

#include "appkit/DocumentUserInterface.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <linux/capability.h>
#include <memory>
#include <mutex>
#include <thread>

// The answers a test gives to every document's questions, and what the documents asked and showed.
struct UserScript
{
    QString saveLocation;
    appkit::DocumentUserInterface::UnsavedChangesAnswer unsavedChangesAnswer =
        appkit::DocumentUserInterface::UnsavedChangesAnswer::cancel;
    bool revertAnswer = true;

    int unsavedChangesQuestions = 0;
    QStringList errors;
};

// A document's user interface that answers from a script shared by the documents of a test, so that
// nothing blocks.
class ScriptedUserInterface : public appkit::DocumentUserInterface
{
public:
    explicit ScriptedUserInterface(std::shared_ptr<UserScript> script)
        : m_script(std::move(script))
    {}

    QString chooseSaveLocation(const appkit::DocumentType&, const QString&) override
    {
        return m_script->saveLocation;
    }
    UnsavedChangesAnswer askToSaveChanges(const QString&) override
    {
        ++m_script->unsavedChangesQuestions;
        return m_script->unsavedChangesAnswer;
    }
    bool confirmRevert(const QString&) override { return m_script->revertAnswer; }
    void presentError(const appkit::DocumentError& error) override
    {
        m_script->errors.append(error.message());
    }

private:
    std::shared_ptr<UserScript> m_script;
};

// Every entry below a folder (hidden ones too, links not followed) with its kind and contents, to show
// that nothing on disk changed.
QMap<QString, QByteArray> snapshotOfFolder(const QString& path);

// Runs the event loop until condition holds or the time is up; answers condition().
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

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
