#pragma once

#include "appkit/DocumentType.h"

#include <QFileDialog>
#include <QList>
#include <QStringList>

namespace appkit {

// Qt's own file dialog for choosing the documents to open, in which a document package (a folder
// named with the extension of a package type) is one item, as a file is: it is listed under its type's
// name with a file's icon, and a typed path with Enter, Open with the package selected and a
// double-click each open it instead of showing what is inside. Other folders are browsed as usual.
class DocumentOpenDialog : public QFileDialog
{
    Q_OBJECT

public:
    explicit DocumentOpenDialog(QList<DocumentType> types, QWidget* parent = nullptr);

    // The files and packages chosen, once the dialog was accepted.
    QStringList chosenPaths() const;

    void accept() override;

private:
    bool isPackage(const QString& path) const;
    void directoryWasEntered(const QString& path);
    // Ends the dialog with paths chosen, its folder back where the packages lie.
    void choose(const QStringList& paths);

    QList<DocumentType> m_types;
    QStringList m_chosen;
};

} // namespace appkit
