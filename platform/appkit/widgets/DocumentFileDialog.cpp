#include "appkit/widgets/DocumentFileDialog.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QMouseEvent>

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

DocumentFileDialog::DocumentFileDialog(QList<DocumentType> types, QWidget* parent)
    : QFileDialog(parent)
    , m_types(std::move(types))
{
    // Qt's own dialog, the one whose items and buttons can be told what a package is.
    setOption(QFileDialog::DontUseNativeDialog);
    // The dialog takes the model as its child.
    setProxyModel(new PackageItemModel(m_types, this));
    // A double-click or Return on a package in the list or the detail view would step into it: they go
    // to packageWasEntered before the view sees them, so the package never becomes the folder shown
    // (nor a place the Back button returns to).
    for (const char* name : {"listView", "treeView"}) {
        if (auto* view = findChild<QAbstractItemView*>(QLatin1String(name))) {
            view->installEventFilter(this);
            view->viewport()->installEventFilter(this);
        }
    }
    // Whatever other way leads into a package.
    connect(this, &QFileDialog::directoryEntered, this, &DocumentFileDialog::directoryWasEntered);
}

bool DocumentFileDialog::isPackage(const QString& path) const
{
    return packageTypeOf(path, m_types) && QFileInfo(path).isDir();
}

bool DocumentFileDialog::eventFilter(QObject* watched, QEvent* event)
{
    QModelIndex activated;
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(event);
        auto* view = qobject_cast<QAbstractItemView*>(watched->parent());
        if (view && watched == view->viewport() && click->button() == Qt::LeftButton)
            activated = view->indexAt(click->position().toPoint());
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* view = qobject_cast<QAbstractItemView*>(watched);
        if (view && (key == Qt::Key_Return || key == Qt::Key_Enter) && view->selectionModel() &&
            view->selectionModel()->selectedRows().size() == 1)
            activated = view->currentIndex();
    }
    if (const QString package = packageAt(activated); !package.isEmpty()) {
        packageWasEntered(package);
        return true;
    }
    return QFileDialog::eventFilter(watched, event);
}

QString DocumentFileDialog::packageAt(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    const QString path = index.data(QFileSystemModel::FilePathRole).toString();
    return isPackage(path) ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : QString();
}

void DocumentFileDialog::directoryWasEntered(const QString& path)
{
    if (!isPackage(path))
        return;
    // Its inside is no place to browse: the dialog goes back to the folder it lies in.
    const QFileInfo package(QDir::cleanPath(path));
    setDirectory(package.absolutePath());
    packageWasEntered(package.absoluteFilePath());
}

void DocumentFileDialog::choose(const QStringList& paths)
{
    m_chosen.clear();
    for (const QString& path : paths)
        m_chosen.append(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    // The next dialog starts where the package lies, not inside it.
    if (!m_chosen.isEmpty())
        setDirectory(QFileInfo(m_chosen.constFirst()).absolutePath());
    // QFileDialog::accept would open a chosen package as a folder instead of taking it.
    QDialog::accept(); // NOLINT(bugprone-parent-virtual-call)
}

} // namespace appkit
