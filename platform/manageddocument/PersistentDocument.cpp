#include "manageddocument/PersistentDocument.h"

#include "manageddocument/StagedPath.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QFileInfo>

namespace manageddocument {

PersistentDocument::PersistentDocument(std::shared_ptr<const store::ManagedObjectModel> model,
                                       QObject* parent)
    : appkit::Document(parent)
    , m_model(std::move(model))
    , m_coordinator(std::make_shared<store::PersistentStoreCoordinator>(m_model))
    , m_context(std::make_unique<store::ManagedObjectContext>(
          store::ManagedObjectContext::ConcurrencyType::mainQueue))
{
    m_context->setPersistentStoreCoordinator(m_coordinator);
    m_context->setUndoStack(undoStack());
}

PersistentDocument::~PersistentDocument() = default;

store::PersistentStore::Type PersistentDocument::persistentStoreType(const QString&) const
{
    return store::PersistentStore::Type::sqlite;
}

appkit::DocumentResult<> PersistentDocument::configurePersistentStoreCoordinator(const QString& storePath,
                                                                                 const QString& typeName)
{
    store::Result<store::PersistentStore*> added =
        m_coordinator->addPersistentStore(persistentStoreType(typeName), storePath, m_storeAccess);
    if (!added)
        return appkit::documentFailure(added.error().message());
    return {};
}

appkit::DocumentResult<> PersistentDocument::saveContext()
{
    store::Result<void> saved = m_context->save();
    // Setting the stack again ends the undo group of this pass, so that a change made later in the
    // same pass starts a new group and marks the saved document edited again.
    m_context->setUndoStack(undoStack());
    if (!saved)
        return appkit::documentFailure(saved.error().message());
    return {};
}

void PersistentDocument::removeStores()
{
    m_context->reset();
    for (store::PersistentStore* store : m_coordinator->persistentStores())
        (void)m_coordinator->removePersistentStore(store);
}

appkit::DocumentResult<> PersistentDocument::read(const QString& path, const QString& typeName)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.size() == 0)
        return appkit::documentFailure("“" + path + "” is not a store file.");
    return configurePersistentStoreCoordinator(path, typeName);
}

appkit::DocumentResult<> PersistentDocument::write(const QString& path, const QString& typeName,
                                                   appkit::SaveOperation operation,
                                                   const QString& previousPath)
{
    if (operation != appkit::SaveOperation::saveAs && path == previousPath)
        return saveContext();

    // The store is made beside path and renamed onto it, so that path holds the old file until the
    // new one is whole.
    appkit::DocumentResult<StagedPath> staged = StagedPath::make(path, StagedPath::Kind::file);
    if (!staged)
        return appkit::documentFailure(staged.error().message());
    store::PersistentStore* previous = m_coordinator->persistentStoreForPath(previousPath);
    store::PersistentStore* current = nullptr;
    if (previous) {
        store::Result<store::PersistentStore*> migrated =
            m_coordinator->migratePersistentStore(previous, staged->path(), persistentStoreType(typeName));
        if (!migrated)
            return appkit::documentFailure(migrated.error().message());
        current = *migrated;
    } else {
        store::Result<store::PersistentStore*> added =
            m_coordinator->addPersistentStore(persistentStoreType(typeName), staged->path());
        if (!added)
            return appkit::documentFailure(added.error().message());
        current = *added;
    }
    if (appkit::DocumentResult<> saved = saveContext(); !saved) {
        (void)m_coordinator->removePersistentStore(current);
        if (previous)
            (void)configurePersistentStoreCoordinator(previousPath, typeName);
        return saved;
    }
    if (appkit::DocumentResult<> committed = staged->commit(); !committed) {
        // The changes are saved in the new file only; it stays, under its hidden name.
        setFilePath(staged->keep());
        return appkit::documentFailure(committed.error().message() + " The document was saved as “" +
                                       filePath() + "” instead.");
    }
    if (store::Result<void> moved = m_coordinator->setPath(current, path); !moved)
        return appkit::documentFailure(moved.error().message());
    return {};
}

appkit::DocumentResult<> PersistentDocument::revert(const QString& path, const QString& typeName)
{
    removeStores();
    return read(path, typeName);
}

} // namespace manageddocument
