#pragma once

#include "appkit/core/DocumentType.h"

#include <QFileDialog>
#include <QList>
#include <QStringList>

namespace appkit {

// Qt's own file dialog for documents, in which a document package (a folder named with the extension of
// a package type) is one item, as a file is: it is listed under its type's name with a file's icon, and
// what would step into it (a double-click or Return on it in the list, say) hands it to
// packageWasEntered instead. Other folders are browsed as usual. The Open and Save dialogs build on it.
class DocumentFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    const QList<DocumentType>& documentTypes() const { return m_types; }
    // Whether path is a package of one of the types, on disk.
    bool isPackage(const QString& path) const;

protected:
    DocumentFileDialog(QList<DocumentType> types, QWidget* parent);

    // The user went for the package at path as for a folder to browse; the dialog stays in the folder
    // that holds it.
    virtual void packageWasEntered(const QString& path) = 0;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The paths chosen with choose, none before.
    const QStringList& chosen() const { return m_chosen; }
    // Ends the dialog with paths chosen, its folder back where they lie.
    void choose(const QStringList& paths);

private:
    void directoryWasEntered(const QString& path);
    // The package an item of one of the views stands for, if it is one.
    QString packageAt(const QModelIndex& index) const;

    QList<DocumentType> m_types;
    QStringList m_chosen;
};

} // namespace appkit
