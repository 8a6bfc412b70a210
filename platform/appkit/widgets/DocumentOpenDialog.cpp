#include "appkit/widgets/DocumentOpenDialog.h"

#include <QFileInfo>
#include <algorithm>

namespace appkit {

DocumentOpenDialog::DocumentOpenDialog(QList<DocumentType> types, QWidget* parent)
    : DocumentFileDialog(std::move(types), parent)
{
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFiles);
    QStringList filters;
    for (const DocumentType& type : documentTypes())
        filters.append(type.nameFilter());
    setNameFilters(filters);
}

QStringList DocumentOpenDialog::chosenPaths() const
{
    return chosen().isEmpty() ? selectedFiles() : chosen();
}

void DocumentOpenDialog::accept()
{
    // Open with packages among the chosen items (selected, or typed as paths) takes them, as long as
    // the rest are files; the base would step into the first folder among them.
    const QStringList selected = selectedFiles();
    const bool hasPackage = std::any_of(selected.begin(), selected.end(),
                                        [this](const QString& path) { return isPackage(path); });
    const bool allOpenable = std::all_of(selected.begin(), selected.end(), [this](const QString& path) {
        return isPackage(path) || QFileInfo(path).isFile();
    });
    if (hasPackage && allOpenable) {
        choose(selected);
        return;
    }
    QFileDialog::accept();
}

void DocumentOpenDialog::packageWasEntered(const QString& path)
{
    choose({path});
}

} // namespace appkit
