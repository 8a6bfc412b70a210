#include "manageddocument/PackageDocument.h"

#include "manageddocument/FileSystem.h"
#include "manageddocument/StagedPath.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QDir>
#include <QFileInfo>

namespace manageddocument {

namespace {

const QString storeContentFolder = QStringLiteral("StoreContent");
const QString storeFilename = QStringLiteral("persistentStore");

// What keeps the folder at path from being opened as a package, if anything.
appkit::DocumentResult<> checkPackage(const QString& path)
{
    const QFileInfo package(path);
    if (!package.exists())
        return appkit::documentFailure("There is nothing at “" + path + "”.");
    if (!package.isDir())
        return appkit::documentFailure("“" + path + "” is a file, but a document is a folder (a package).");
    if (appkit::DocumentResult<> plainEntries = fileSystem::refuseLinksAndSpecialFilesInside(path);
        !plainEntries)
        return plainEntries;
    const QString storePath = PackageDocument::persistentStorePath(path);
    const QFileInfo store(storePath);
    if (!store.exists() && !store.isSymLink())
        return appkit::documentFailure("The package has no store: “" + storePath + "” is missing.");
    if (store.isSymLink() || !store.isFile())
        return appkit::documentFailure("“" + storePath + "” is not a store file.");
    if (store.size() == 0)
        return appkit::documentFailure("The store file “" + storePath + "” is empty.");
    return {};
}

// The package at path as the file system reaches it, with every symbolic link on the way resolved, the
// package's own name included: what lies inside is then opened without following any link. A place
// where nothing is yet has the links of its folder resolved and keeps its own name.
QString resolvedPath(const QString& path)
{
    const QFileInfo file(path);
    if (QString resolved = file.canonicalFilePath(); !resolved.isEmpty())
        return resolved;
    if (const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath(); !folder.isEmpty())
        return folder + "/" + file.fileName();
    return file.absoluteFilePath();
}

// A new package takes the place of whatever is at path (a link included, which is replaced, not
// followed); the links of the folders above it are resolved.
QString resolvedDestination(const QString& path)
{
    const QFileInfo file(path);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absoluteFilePath() : folder + "/" + file.fileName();
}

} // namespace

QString PackageDocument::persistentStorePath(const QString& packagePath)
{
    return packagePath + "/" + storeContentFolder + "/" + storeFilename;
}

appkit::DocumentResult<> PackageDocument::readAdditionalContent(const QString&)
{
    return {};
}

appkit::DocumentResult<PackageContents> PackageDocument::additionalContent(const QString&,
                                                                           appkit::SaveOperation)
{
    return PackageContents();
}

appkit::DocumentResult<> PackageDocument::writeAdditionalContent(const PackageContents& content,
                                                                 const QString& packagePath, const QString&)
{
    return content.writeInto(packagePath);
}

appkit::DocumentResult<> PackageDocument::read(const QString& givenPath, const QString& typeName)
{
    const QString path = resolvedPath(givenPath);
    if (appkit::DocumentResult<> usable = checkPackage(path); !usable)
        return usable;
    if (appkit::DocumentResult<> opened =
            configurePersistentStoreCoordinator(persistentStorePath(path), typeName);
        !opened)
        return opened;
    if (appkit::DocumentResult<> additional = readAdditionalContent(path); !additional) {
        removeStores();
        return additional;
    }
    return {};
}

appkit::DocumentResult<> PackageDocument::write(const QString& path, const QString& typeName,
                                                appkit::SaveOperation operation, const QString& previousPath)
{
    appkit::DocumentResult<PackageContents> content = additionalContent(path, operation);
    if (!content)
        return foundation::Unexpected<appkit::DocumentError>(content.error());
    if (content->containsFile(storeContentFolder))
        return appkit::documentFailure("A package file may not be named “" + storeContentFolder + "”.");
    const bool inPlace =
        operation != appkit::SaveOperation::saveAs && path == previousPath &&
        persistentStoreCoordinator().persistentStoreForPath(persistentStorePath(resolvedPath(path)));
    if (inPlace)
        return saveInPlace(resolvedPath(path), *content);
    return saveToNewPackage(resolvedDestination(path), typeName, *content,
                            previousPath.isEmpty() ? QString() : resolvedPath(previousPath));
}

appkit::DocumentResult<> PackageDocument::saveInPlace(const QString& path, const PackageContents& content)
{
    if (!QFileInfo(path).isDir())
        return appkit::documentFailure("The package “" + path + "” is no longer there.");
    if (appkit::DocumentResult<> saved = saveContext(); !saved)
        return saved;
    return writeAdditionalContent(content, path, path);
}

appkit::DocumentResult<> PackageDocument::saveToNewPackage(const QString& path, const QString& typeName,
                                                           const PackageContents& content,
                                                           const QString& previousPath)
{
    appkit::DocumentResult<StagedPath> staged = StagedPath::make(path, StagedPath::Kind::directory);
    if (!staged)
        return foundation::Unexpected<appkit::DocumentError>(staged.error());
    if (!QDir(staged->path()).mkdir(storeContentFolder))
        return appkit::documentFailure("The folder “" + staged->path() + "/" + storeContentFolder +
                                       "” could not be made.");

    store::PersistentStoreCoordinator& coordinator = persistentStoreCoordinator();
    const QString previousStorePath = previousPath.isEmpty() ? QString() : persistentStorePath(previousPath);
    store::PersistentStore* previous = coordinator.persistentStoreForPath(previousStorePath);
    const QString stagedStorePath = persistentStorePath(staged->path());
    store::Result<store::PersistentStore*> current =
        previous
            ? coordinator.migratePersistentStore(previous, stagedStorePath, persistentStoreType(typeName))
            : coordinator.addPersistentStore(persistentStoreType(typeName), stagedStorePath);
    if (!current)
        return appkit::documentFailure(current.error().message());

    // Until the new package holds the saved changes, a failure puts the document back on its previous
    // store, which the migration left as it was, with its changes still unsaved in the context.
    auto restore = [&] {
        (void)coordinator.removePersistentStore(*current);
        if (previous)
            (void)configurePersistentStoreCoordinator(previousStorePath, typeName);
    };
    if (appkit::DocumentResult<> written = writeAdditionalContent(content, staged->path(), previousPath);
        !written) {
        restore();
        return written;
    }
    if (appkit::DocumentResult<> saved = saveContext(); !saved) {
        restore();
        return saved;
    }
    // The package is whole before it takes its name, so a crash leaves the destination as it was or
    // with the whole new package.
    if (appkit::DocumentResult<> committed = staged->commit(); !committed) {
        // The changes are saved in the new package only; it stays, under its hidden name, and so does
        // the document.
        setFilePath(staged->keep());
        return appkit::documentFailure(committed.error().message() + " The document was saved as “" +
                                       filePath() + "” instead.");
    }
    if (store::Result<void> moved = coordinator.setPath(*current, persistentStorePath(path)); !moved)
        return appkit::documentFailure(moved.error().message());
    return {};
}

appkit::DocumentResult<> PackageDocument::revert(const QString& givenPath, const QString&)
{
    const QString path = resolvedPath(givenPath);
    if (appkit::DocumentResult<> usable = checkPackage(path); !usable)
        return usable;
    managedObjectContext()->rollback();
    return readAdditionalContent(path);
}

} // namespace manageddocument
