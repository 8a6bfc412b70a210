#pragma once

#include "appkit/widgets/DocumentDialogs.h"

namespace appkit {

// The document questions as Qt's own file dialogs and message boxes, modal to the document's window.
class StandardDocumentDialogs : public DocumentDialogs
{
public:
    QStringList chooseDocumentsToOpen(QWidget* parent, const QList<DocumentType>& types) override;
    QString chooseSaveLocation(QWidget* parent, const DocumentType& type,
                               const QString& suggestedPath) override;
    UnsavedChangesAnswer askToSaveChanges(QWidget* parent, const QString& documentName) override;
    bool confirmRevert(QWidget* parent, const QString& documentName) override;
    void presentError(QWidget* parent, const DocumentError& error) override;
};

} // namespace appkit
