#pragma once

#include "appkit/widgets/DocumentFileDialog.h"

namespace appkit {

// The dialog for choosing the documents to open: files and packages of the types, a package opened by
// a typed path with Enter, by Open with the package selected and by a double-click.
class DocumentOpenDialog : public DocumentFileDialog
{
    Q_OBJECT

public:
    explicit DocumentOpenDialog(QList<DocumentType> types, QWidget* parent = nullptr);

    // The files and packages chosen, once the dialog was accepted.
    QStringList chosenPaths() const;

    void accept() override;

protected:
    void packageWasEntered(const QString& path) override;
};

} // namespace appkit
