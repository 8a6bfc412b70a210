#include "appkit/DocumentOpenDialog.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <algorithm>

namespace appkit {

namespace {

const DocumentType* packageTypeOf(const QString& path, const QList<DocumentType>& types)
{
    const QString cleaned = QDir::cleanPath(path);
    for (const DocumentType& type : types) {
        if (type.isPackage && type.matchesPath(cleaned))
            return &type;
    }
    return nullptr;
}

// The dialog's file system model as the views show it, with packages shown as documents: their type's
// name in the type column and a file's icon.
class PackageItemModel : public QIdentityProxyModel
{
public:
    PackageItemModel(QList<DocumentType> types, QObject* parent)
        : QIdentityProxyModel(parent)
        , m_types(std::move(types))
    {}

    QVariant data(const QModelIndex& index, int role) const override
    {
        const bool typeText = role == Qt::DisplayRole && index.column() == typeColumn;
        const bool icon = role == Qt::DecorationRole && index.column() == 0;
        if (typeText || icon) {
            if (const DocumentType* type = packageType(index))
                return typeText ? QVariant(type->description)
                                : QVariant(m_icons.icon(QAbstractFileIconProvider::File));
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    // QFileSystemModel's columns: name, size, type, date modified.
    static constexpr int typeColumn = 2;

    const DocumentType* packageType(const QModelIndex& index) const
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        const QModelIndex source = mapToSource(index);
        if (!files || !files->isDir(source))
            return nullptr;
        return packageTypeOf(files->filePath(source), m_types);
    }

    const QList<DocumentType> m_types;
    QFileIconProvider m_icons;
};

} // namespace

DocumentOpenDialog::DocumentOpenDialog(QList<DocumentType> types, QWidget* parent)
    : QFileDialog(parent)
    , m_types(std::move(types))
{
    // Qt's own dialog, the one whose items and buttons can be told what a package is.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFiles);
    QStringList filters;
    for (const DocumentType& type : m_types)
        filters.append(type.nameFilter());
    setNameFilters(filters);
    // The dialog takes the model as its child.
    setProxyModel(new PackageItemModel(m_types, this));
    connect(this, &QFileDialog::directoryEntered, this, &DocumentOpenDialog::directoryWasEntered);
}

QStringList DocumentOpenDialog::chosenPaths() const
{
    return m_chosen.isEmpty() ? selectedFiles() : m_chosen;
}

bool DocumentOpenDialog::isPackage(const QString& path) const
{
    return packageTypeOf(path, m_types) && QFileInfo(path).isDir();
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

void DocumentOpenDialog::directoryWasEntered(const QString& path)
{
    // A double-click (or any other way into a folder) on a package opens it.
    if (isPackage(path))
        choose({path});
}

void DocumentOpenDialog::choose(const QStringList& paths)
{
    m_chosen.clear();
    for (const QString& path : paths)
        m_chosen.append(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    // The next dialog starts where the package lies, not inside it.
    setDirectory(QFileInfo(m_chosen.constFirst()).absolutePath());
    QDialog::accept();
}

} // namespace appkit
