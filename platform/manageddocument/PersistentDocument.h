#pragma once

#include "appkit/core/Document.h"
#include "store/PersistentStore.h"

#include <memory>

namespace store {
class ManagedObjectContext;
class ManagedObjectModel;
class PersistentStoreCoordinator;
} // namespace store

namespace manageddocument {

// A document whose contents live in a store: a model, a coordinator and a main-queue context whose undo
// stack is the document's, so every change made in the context makes the document edited. A new
// document has no store until its first save; its objects wait in the context.
//
// Here the document's file is the store itself; subclasses keep the store elsewhere (inside a package)
// by overriding read, write and revert around the helpers below.
class PersistentDocument : public appkit::Document
{
    Q_OBJECT

public:
    explicit PersistentDocument(std::shared_ptr<const store::ManagedObjectModel> model,
                                QObject* parent = nullptr);
    ~PersistentDocument() override;

    store::ManagedObjectContext* managedObjectContext() const { return m_context.get(); }
    const store::ManagedObjectModel& managedObjectModel() const { return *m_model; }
    store::PersistentStoreCoordinator& persistentStoreCoordinator() const { return *m_coordinator; }

    // Adds the store at storePath (made when missing, unless stores are read only) to the coordinator, as
    // the store for typeName.
    appkit::DocumentResult<> configurePersistentStoreCoordinator(const QString& storePath,
                                                                 const QString& typeName);
    // Whether the stores the document opens are opened to be read only: then nothing writes into them,
    // not even the recovery of a save that was cut short, and saves fail.
    bool opensStoresReadOnly() const { return m_storeAccess == store::PersistentStore::Access::readOnly; }
    // The kind of store documents of typeName keep; SQLite unless a subclass says otherwise.
    virtual store::PersistentStore::Type persistentStoreType(const QString& typeName) const;

protected:
    appkit::DocumentResult<> read(const QString& path, const QString& typeName) override;
    appkit::DocumentResult<> write(const QString& path, const QString& typeName,
                                   appkit::SaveOperation operation, const QString& previousPath) override;
    // Forgets every object and store, then reads path again.
    appkit::DocumentResult<> revert(const QString& path, const QString& typeName) override;

    // Saves the context into its store in one transaction; on failure the changes stay in the context.
    appkit::DocumentResult<> saveContext();
    // Forgets every object of the context and removes every store from the coordinator.
    void removeStores();
    // Stores read from now on are opened to be read only.
    void openStoresReadOnly() { m_storeAccess = store::PersistentStore::Access::readOnly; }

private:
    std::shared_ptr<const store::ManagedObjectModel> m_model;
    std::shared_ptr<store::PersistentStoreCoordinator> m_coordinator;
    std::unique_ptr<store::ManagedObjectContext> m_context;
    store::PersistentStore::Access m_storeAccess = store::PersistentStore::Access::readWrite;
};

} // namespace manageddocument
