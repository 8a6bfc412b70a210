#include "appkit/widgets/DocumentSaveDialog.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace appkit {

namespace {

// The parts of Qt's own dialog, by the names it gives them.
QLineEdit* nameFieldOf(const QFileDialog& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

QAbstractItemView* listOf(const QFileDialog& dialog)
{
    return dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
}

QPushButton* saveButtonOf(const QFileDialog& dialog)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    return buttons ? buttons->button(QDialogButtonBox::Save) : nullptr;
}

} // namespace

DocumentSaveDialog::DocumentSaveDialog(const DocumentType& type, const QString& suggestedPath,
                                       QWidget* parent)
    : DocumentFileDialog({type}, parent)
{
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilter(type.nameFilter());
    setDefaultSuffix(type.preferredExtension());
    m_saveLabel = labelText(QFileDialog::Accept);
    const QFileInfo suggested(suggestedPath);
    setDirectory(suggested.absolutePath());
    selectFile(suggested.fileName());
    watchChoices();
}

QString DocumentSaveDialog::chosenPath() const
{
    if (!chosen().isEmpty())
        return chosen().constFirst();
    const QString selected = selectedFiles().value(0);
    return selected.isEmpty() ? selected : withExtension(selected);
}

void DocumentSaveDialog::accept()
{
    // The name of a folder typed into the field browses it. The base would take it for a new document's
    // name with the extension added, since it looks for the folder relative to the working directory.
    QLineEdit* name = nameFieldOf(*this);
    const QString typed = name ? name->text() : QString();
    if (QAbstractItemView* list = listOf(*this);
        !typed.isEmpty() && list && !list->selectionModel()->hasSelection()) {
        const QString folder = QDir::cleanPath(directory().absoluteFilePath(typed));
        if (QFileInfo(folder).isDir() && !isPackage(folder)) {
            setDirectory(folder);
            name->clear();
            return;
        }
    }
    const QString selected = selectedFiles().value(0);
    // A folder that is no package is browsed, as the base does.
    if (selected.isEmpty() || (QFileInfo(selected).isDir() && !isPackage(selected))) {
        QFileDialog::accept();
        return;
    }
    const QString path = withExtension(selected);
    if (isPackage(path) || (path != selected && QFileInfo(path).exists()))
        chooseReplacing(path);
    else if (path != selected)
        choose({path});
    else
        QFileDialog::accept(); // a new or existing file: the base asks its own question
}

void DocumentSaveDialog::packageWasEntered(const QString& path)
{
    selectFile(QFileInfo(path).fileName());
    chooseReplacing(path);
}

QString DocumentSaveDialog::withExtension(const QString& path) const
{
    if (type().extensions.isEmpty() || type().matchesPath(path))
        return path;
    return path + "." + type().preferredExtension();
}

void DocumentSaveDialog::chooseReplacing(const QString& path)
{
    // The question Qt's dialog asks for a file.
    const QString question =
        QFileDialog::tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName());
    if (QMessageBox::warning(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) == QMessageBox::Yes)
        choose({path});
}

void DocumentSaveDialog::watchChoices()
{
    // Connected after the dialog's own handler of the signal, so this sees what it did.
    if (QAbstractItemView* list = listOf(*this))
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &DocumentSaveDialog::selectionChanged);
    // The dialog sets the button's label from many places, some of them late (once a folder is listed):
    // the label is put right just before it is drawn.
    if (QPushButton* save = saveButtonOf(*this))
        save->installEventFilter(this);
}

bool DocumentSaveDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == saveButtonOf(*this))
        relabelSaveButton();
    return DocumentFileDialog::eventFilter(watched, event);
}

void DocumentSaveDialog::selectionChanged()
{
    QAbstractItemView* list = listOf(*this);
    QLineEdit* name = nameFieldOf(*this);
    if (list && name && !name->hasFocus()) {
        const QModelIndexList rows = list->selectionModel()->selectedRows();
        if (rows.size() == 1) {
            const QString path = rows.constFirst().data(QFileSystemModel::FilePathRole).toString();
            if (isPackage(path))
                name->setText(QFileInfo(path).fileName());
        }
    }
}

void DocumentSaveDialog::relabelSaveButton()
{
    QPushButton* save = saveButtonOf(*this);
    const QString selected = selectedFiles().value(0);
    const bool browses = QFileInfo(selected).isDir() && !isPackage(selected);
    if (save && !selected.isEmpty() && !browses && save->text() != m_saveLabel)
        save->setText(m_saveLabel);
}

} // namespace appkit
