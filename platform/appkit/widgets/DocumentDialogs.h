#pragma once

#include "appkit/core/DocumentError.h"
#include "appkit/core/DocumentType.h"
#include "appkit/core/DocumentUserInterface.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace appkit {

// The questions a document and its controller ask the user, and the errors they show. The standard
// implementation uses Qt's file dialogs and message boxes; tests put answers of their own in its place
// so that nothing blocks.
class DocumentDialogs
{
public:
    using UnsavedChangesAnswer = DocumentUserInterface::UnsavedChangesAnswer;

    virtual ~DocumentDialogs() = default;

    // The files or packages to open, none when the user cancelled.
    virtual QStringList chooseDocumentsToOpen(QWidget* parent, const QList<DocumentType>& types) = 0;
    // Where to save a document of type, starting at suggestedPath; empty when the user cancelled.
    virtual QString chooseSaveLocation(QWidget* parent, const DocumentType& type,
                                       const QString& suggestedPath) = 0;
    virtual UnsavedChangesAnswer askToSaveChanges(QWidget* parent, const QString& documentName) = 0;
    virtual bool confirmRevert(QWidget* parent, const QString& documentName) = 0;
    virtual void presentError(QWidget* parent, const DocumentError& error) = 0;
};

} // namespace appkit
