#include "appkit/widgets/StandardDocumentDialogs.h"

#include "appkit/widgets/DocumentOpenDialog.h"
#include "appkit/widgets/DocumentSaveDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace appkit {

QStringList StandardDocumentDialogs::chooseDocumentsToOpen(QWidget* parent, const QList<DocumentType>& types)
{
    DocumentOpenDialog dialog(types, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.chosenPaths();
}

QString StandardDocumentDialogs::chooseSaveLocation(QWidget* parent, const DocumentType& type,
                                                    const QString& suggestedPath)
{
    DocumentSaveDialog dialog(type, suggestedPath, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.chosenPath();
}

DocumentDialogs::UnsavedChangesAnswer StandardDocumentDialogs::askToSaveChanges(QWidget* parent,
                                                                                const QString& documentName)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    box.setText("Do you want to save the changes made to the document “" + documentName + "”?");
    box.setInformativeText("Your changes will be lost if you don’t save them.");
    QPushButton* save = box.addButton("Save", QMessageBox::AcceptRole);
    QPushButton* dontSave = box.addButton("Don’t Save", QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save)
        return UnsavedChangesAnswer::save;
    if (box.clickedButton() == dontSave)
        return UnsavedChangesAnswer::dontSave;
    return UnsavedChangesAnswer::cancel;
}

bool StandardDocumentDialogs::confirmRevert(QWidget* parent, const QString& documentName)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    box.setText("Do you want to revert the document “" + documentName + "” to its last saved version?");
    box.setInformativeText("Your current changes will be lost.");
    QPushButton* revert = box.addButton("Revert", QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == revert;
}

void StandardDocumentDialogs::presentError(QWidget* parent, const DocumentError& error)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    // The first sentence says what failed, the rest why.
    const QString& message = error.message();
    const qsizetype end = message.indexOf(". ");
    box.setText(end < 0 ? message : message.left(end + 1));
    if (end >= 0)
        box.setInformativeText(message.mid(end + 2));
    box.addButton(QMessageBox::Ok);
    box.exec();
}

} // namespace appkit
