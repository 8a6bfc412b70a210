#pragma once

#include "appkit/widgets/DocumentFileDialog.h"

namespace appkit {

// The dialog for choosing where to save a document of one type. A package is chosen like a file:
// selecting it puts its name in the name field, and choosing an existing one (its name typed with
// Enter, Save, or a double-click) asks whether to replace it instead of stepping into it. The chosen
// path always ends in one of the type's extensions; a name typed without one gets the first, and the
// question is asked for what is at that path.
class DocumentSaveDialog : public DocumentFileDialog
{
    Q_OBJECT

public:
    DocumentSaveDialog(const DocumentType& type, const QString& suggestedPath, QWidget* parent = nullptr);

    // Where to save, once the dialog was accepted.
    QString chosenPath() const;

    void accept() override;

protected:
    void packageWasEntered(const QString& path) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const DocumentType& type() const { return documentTypes().constFirst(); }
    QString withExtension(const QString& path) const;
    // Asks whether to replace what is at path, and ends the dialog with it on yes.
    void chooseReplacing(const QString& path);
    void watchChoices();
    // A selected package's name goes into the name field, as a selected file's does.
    void selectionChanged();
    // Qt's dialog labels its button Open when a folder is chosen (a package too), and may keep that
    // label after the folder shown changes; a package, or anything but a folder, is saved to.
    void relabelSaveButton();

    QString m_saveLabel;
};

} // namespace appkit
