#include "document/PackagedPersistentDocument.h"

#include "manageddocument/FileSystem.h"
#include "manageddocument/ManagedDocument.h"
#include "manageddocument/StagedPath.h"
#include "store/PersistentStoreCoordinator.h"

#include <QDir>
#include <QFileInfo>

namespace pelorama::document {

using appkit::DocumentResult;
using manageddocument::PackageContents;

PackagedPersistentDocument::PackagedPersistentDocument(std::shared_ptr<const store::ManagedObjectModel> model,
                                                       QObject* parent)
    : PersistentDocument(std::move(model), parent)
{}

QString PackagedPersistentDocument::storePathFor(const QString& packagePath) const
{
    return QDir(packagePath).filePath(storeFilename());
}

std::vector<manageddocument::PackageResource*>& PackagedPersistentDocument::resources()
{
    if (!m_resources)
        m_resources.emplace();
    return *m_resources;
}

void PackagedPersistentDocument::setFilePath(const QString& path)
{
    if (!path.isEmpty() && !filePath().isEmpty()) {
        store::PersistentStoreCoordinator& coordinator = persistentStoreCoordinator();
        if (store::PersistentStore* store = coordinator.persistentStoreForPath(storePathFor(filePath())))
            (void)coordinator.setPath(store, storePathFor(QFileInfo(path).absoluteFilePath()));
    }
    PersistentDocument::setFilePath(path);
}

DocumentResult<> PackagedPersistentDocument::readResources(const QString& packagePath)
{
    for (manageddocument::PackageResource* resource : resources()) {
        if (DocumentResult<> read = manageddocument::ManagedDocument::readResource(*resource, packagePath);
            !read)
            return read;
    }
    return {};
}

DocumentResult<> PackagedPersistentDocument::updateContents(PackageContents& contents)
{
    for (const manageddocument::PackageResource* resource : resources()) {
        if (DocumentResult<> written = manageddocument::ManagedDocument::writeResource(*resource, contents);
            !written)
            return written;
    }
    return {};
}

DocumentResult<> PackagedPersistentDocument::read(const QString& path, const QString& typeName)
{
    const QFileInfo package(path);
    if (!package.exists())
        return appkit::documentFailure("There is nothing at “" + path + "”.");
    if (!package.isDir())
        return appkit::documentFailure("“" + path + "” is a file, but a document is a folder (a package).");
    if (DocumentResult<> plainEntries = manageddocument::fileSystem::refuseLinksAndSpecialFilesInside(path);
        !plainEntries)
        return plainEntries;
    // A package without a store opens without one.
    if (QFileInfo(storePathFor(path)).isFile()) {
        if (DocumentResult<> opened = configurePersistentStoreCoordinator(storePathFor(path), typeName);
            !opened)
            return opened;
    }
    if (DocumentResult<> read = readResources(path); !read) {
        removeStores();
        return read;
    }
    return {};
}

DocumentResult<> PackagedPersistentDocument::write(const QString& path, const QString& typeName,
                                                   appkit::SaveOperation operation,
                                                   const QString& previousPath)
{
    PackageContents contents;
    if (DocumentResult<> updated = updateContents(contents); !updated)
        return updated;
    if (contents.containsFile(storeFilename()))
        return appkit::documentFailure("A package file may not be named “" + storeFilename() + "”.");
    if (operation == appkit::SaveOperation::saveAs || path != previousPath)
        return saveToNewPackage(path, typeName, contents, previousPath);

    if (!QFileInfo(path).isDir())
        return appkit::documentFailure("There is no package at “" + path + "”.");
    if (DocumentResult<> written = contents.writeInto(path); !written)
        return written;
    return saveContext();
}

DocumentResult<> PackagedPersistentDocument::saveToNewPackage(const QString& path, const QString& typeName,
                                                              const PackageContents& contents,
                                                              const QString& previousPath)
{
    DocumentResult<manageddocument::StagedPath> staged =
        manageddocument::StagedPath::make(path, manageddocument::StagedPath::Kind::directory);
    if (!staged)
        return foundation::Unexpected<appkit::DocumentError>(staged.error());

    store::PersistentStoreCoordinator& coordinator = persistentStoreCoordinator();
    const QString previousStorePath = previousPath.isEmpty() ? QString() : storePathFor(previousPath);
    store::PersistentStore* previous = coordinator.persistentStoreForPath(previousStorePath);
    store::PersistentStore* current = nullptr;
    if (previousPath.isEmpty()) {
        store::Result<store::PersistentStore*> added =
            coordinator.addPersistentStore(persistentStoreType(typeName), storePathFor(staged->path()));
        if (!added)
            return appkit::documentFailure(added.error().message());
        current = *added;
    } else if (previous) {
        store::Result<store::PersistentStore*> migrated = coordinator.migratePersistentStore(
            previous, storePathFor(staged->path()), persistentStoreType(typeName));
        if (!migrated)
            return appkit::documentFailure(migrated.error().message());
        current = *migrated;
    }

    // Until the new package is whole, a failure puts the document back on its previous store.
    auto restore = [&] {
        if (current)
            (void)coordinator.removePersistentStore(current);
        if (previous)
            (void)configurePersistentStoreCoordinator(previousStorePath, typeName);
    };
    if (DocumentResult<> written = contents.writeInto(staged->path()); !written) {
        restore();
        return written;
    }
    if (DocumentResult<> saved = saveContext(); !saved) {
        restore();
        return saved;
    }
    if (DocumentResult<> committed = staged->commit(); !committed) {
        // The changes are saved in the new package only; it stays, under its hidden name.
        const QString kept = staged->keep();
        PersistentDocument::setFilePath(kept);
        return appkit::documentFailure(committed.error().message() + " The document was saved as “" + kept +
                                       "” instead.");
    }
    if (current) {
        if (store::Result<void> moved = coordinator.setPath(current, storePathFor(path)); !moved)
            return appkit::documentFailure(moved.error().message());
    }
    return {};
}

DocumentResult<> PackagedPersistentDocument::revert(const QString& path, const QString& typeName)
{
    store::PersistentStoreCoordinator& coordinator = persistentStoreCoordinator();
    if (store::PersistentStore* store = coordinator.persistentStoreForPath(storePathFor(path))) {
        if (store::Result<void> removed = coordinator.removePersistentStore(store); !removed)
            return appkit::documentFailure(removed.error().message());
    }
    return PersistentDocument::revert(path, typeName);
}

} // namespace pelorama::document
