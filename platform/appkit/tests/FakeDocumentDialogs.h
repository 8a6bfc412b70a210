#pragma once

#include "appkit/widgets/DocumentDialogs.h"

// Answers the document questions from a script and records what was asked and shown.
class FakeDocumentDialogs : public appkit::DocumentDialogs
{
public:
    QStringList pathsToOpen;
    QString saveLocation;
    UnsavedChangesAnswer unsavedChangesAnswer = UnsavedChangesAnswer::cancel;
    bool revertAnswer = true;

    int openQuestions = 0;
    int saveQuestions = 0;
    int unsavedChangesQuestions = 0;
    int revertQuestions = 0;
    QStringList errors;
    // Where the last save question started.
    QString suggestedPath;
    // The window the last question or error was shown over.
    QWidget* lastParent = nullptr;

    QStringList chooseDocumentsToOpen(QWidget*, const QList<appkit::DocumentType>&) override
    {
        ++openQuestions;
        return pathsToOpen;
    }
    QString chooseSaveLocation(QWidget* parent, const appkit::DocumentType&,
                               const QString& suggested) override
    {
        lastParent = parent;
        suggestedPath = suggested;
        ++saveQuestions;
        return saveLocation;
    }
    UnsavedChangesAnswer askToSaveChanges(QWidget* parent, const QString&) override
    {
        lastParent = parent;
        ++unsavedChangesQuestions;
        return unsavedChangesAnswer;
    }
    bool confirmRevert(QWidget* parent, const QString&) override
    {
        lastParent = parent;
        ++revertQuestions;
        return revertAnswer;
    }
    void presentError(QWidget* parent, const appkit::DocumentError& error) override
    {
        lastParent = parent;
        errors.append(error.message());
    }
};
