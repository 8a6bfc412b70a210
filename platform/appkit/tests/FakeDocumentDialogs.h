#pragma once

#include "appkit/DocumentDialogs.h"

// Answers the document questions from a script and records what was asked and shown.
class FakeDocumentDialogs : public appkit::DocumentDialogs
{
public:
    QStringList pathsToOpen;
    QString saveLocation;
    UnsavedChangesAnswer unsavedChangesAnswer = UnsavedChangesAnswer::Cancel;
    bool revertAnswer = true;

    int openQuestions = 0;
    int saveQuestions = 0;
    int unsavedChangesQuestions = 0;
    int revertQuestions = 0;
    QStringList errors;

    QStringList chooseDocumentsToOpen(QWidget*, const QList<appkit::DocumentType>&) override
    {
        ++openQuestions;
        return pathsToOpen;
    }
    QString chooseSaveLocation(QWidget*, const appkit::DocumentType&, const QString&) override
    {
        ++saveQuestions;
        return saveLocation;
    }
    UnsavedChangesAnswer askToSaveChanges(QWidget*, const QString&) override
    {
        ++unsavedChangesQuestions;
        return unsavedChangesAnswer;
    }
    bool confirmRevert(QWidget*, const QString&) override
    {
        ++revertQuestions;
        return revertAnswer;
    }
    void presentError(QWidget*, const appkit::DocumentError& error) override
    {
        errors.append(error.message());
    }
};
