#pragma once

#include "appkit/DocumentDialogs.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <linux/capability.h>

// Answers the document's questions from a script and records what it was asked and shown.
class FakeDocumentDialogs : public appkit::DocumentDialogs
{
public:
    QStringList pathsToOpen;
    QString saveLocation;
    UnsavedChangesAnswer unsavedChangesAnswer = UnsavedChangesAnswer::Cancel;
    bool revertAnswer = true;

    int unsavedChangesQuestions = 0;
    QStringList errors;

    QStringList chooseDocumentsToOpen(QWidget*, const QList<appkit::DocumentType>&) override
    {
        return pathsToOpen;
    }
    QString chooseSaveLocation(QWidget*, const appkit::DocumentType&, const QString&) override
    {
        return saveLocation;
    }
    UnsavedChangesAnswer askToSaveChanges(QWidget*, const QString&) override
    {
        ++unsavedChangesQuestions;
        return unsavedChangesAnswer;
    }
    bool confirmRevert(QWidget*, const QString&) override { return revertAnswer; }
    void presentError(QWidget*, const appkit::DocumentError& error) override
    {
        errors.append(error.message());
    }
};

// Every entry below a folder (hidden ones too, links not followed) with its kind and contents, to show
// that nothing on disk changed.
QMap<QString, QByteArray> snapshotOfFolder(const QString& path);

// Runs the event loop until condition holds or the time is up; answers condition().
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

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
