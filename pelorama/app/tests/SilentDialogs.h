#pragma once

#include "appkit/core/DocumentError.h"
#include "appkit/widgets/DocumentDialogs.h"

#include <QStringList>

// Answers every question without a window: nothing to open, no place to save, don't save changes.
class SilentDialogs : public appkit::DocumentDialogs
{
public:
    QStringList chooseDocumentsToOpen(QWidget*, const QList<appkit::DocumentType>&) override { return {}; }
    QString chooseSaveLocation(QWidget*, const appkit::DocumentType&, const QString&) override { return {}; }
    UnsavedChangesAnswer askToSaveChanges(QWidget*, const QString&) override
    {
        return UnsavedChangesAnswer::dontSave;
    }
    bool confirmRevert(QWidget*, const QString&) override { return true; }
    void presentError(QWidget*, const appkit::DocumentError& error) override
    {
        errors.append(error.message());
    }
    QStringList errors;
};
