#pragma once

#include "appkit/core/DocumentUserInterface.h"

#include <QStringList>
#include <memory>

// The answers a test gives to every document's questions, and what the documents asked and showed; for
// the tests of the document libraries.
struct UserScript
{
    QString saveLocation;
    appkit::DocumentUserInterface::UnsavedChangesAnswer unsavedChangesAnswer =
        appkit::DocumentUserInterface::UnsavedChangesAnswer::cancel;
    bool revertAnswer = true;

    int saveQuestions = 0;
    int unsavedChangesQuestions = 0;
    int revertQuestions = 0;
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
        ++m_script->saveQuestions;
        return m_script->saveLocation;
    }
    UnsavedChangesAnswer askToSaveChanges(const QString&) override
    {
        ++m_script->unsavedChangesQuestions;
        return m_script->unsavedChangesAnswer;
    }
    bool confirmRevert(const QString&) override
    {
        ++m_script->revertQuestions;
        return m_script->revertAnswer;
    }
    void presentError(const appkit::DocumentError& error) override
    {
        m_script->errors.append(error.message());
    }

private:
    std::shared_ptr<UserScript> m_script;
};
