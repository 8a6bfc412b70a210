#pragma once

#include "store/PersistentStore.h"

#include <QHash>
#include <QSet>
#include <memory>
#include <string>
#include <unordered_map>

namespace SQLite {
class Database;
class Statement;
} // namespace SQLite

namespace store {

// A store in one SQLite file: a table per entity (Z_PK and a column per stored attribute and to-one
// relationship), a table Z_<Entity>_<relationship> per to-many relationship holding source, target and
// order, and Z_METADATA with the store's identifier. Transformable attributes are stored as their
// transformer's bytes, binary ones as BLOBs. The rollback journal keeps the store a single file at rest.
// A store is created only where no file exists; an existing file that is not a store of the model is
// refused and left as it is, and so is one whose file, or a file SQLite would open beside it, is not a
// regular file with a single name. Opening writes nothing: a store that another program left in
// write-ahead-log mode is read as it is until its first save, which turns it back into a single file.
// A store opened to be read only may have other names, and is refused when a save that was cut short
// left its journal, whose rollback would write; one opened to be changed is recovered from it.
//
// SQLite opens nothing through a symbolic link: the path is given with the links of the folders above
// the store resolved by the caller. A path too long for SQLite is refused with a message saying so.
//
// A store written before entities or attributes were added to the model (those marked isAddedLater)
// lacks their tables or columns: it opens unchanged, reads no objects and no values for them, and gains
// them in the transaction of its first save. So does a store without the index of an indexed attribute:
// a store opened only to read (an export from the command line) stays as it was.
class SQLiteStore : public PersistentStore
{
public:
    ~SQLiteStore() override;

    static Result<std::unique_ptr<PersistentStore>> open(const QString& path,
                                                         std::shared_ptr<const ManagedObjectModel> model,
                                                         const QString& identifier,
                                                         Access access = Access::readWrite);

    Type type() const override { return Type::sqlite; }
    Result<QList<StoreRow>> fetchRows(const EntityDescription& entity, const Predicate& predicate,
                                      const KeyFilter& keyOnly = {}) override;
    Result<std::optional<StoreRow>> fetchRow(const EntityDescription& entity, qint64 primaryKey) override;
    Result<qint64> reservePrimaryKeys(const EntityDescription& entity, qint64 count) override;
    Result<QList<LongText>> textsLongerThan(const EntityDescription& entity,
                                            const QHash<QString, qint64>& bounds) override;
    Result<void> save(const StoreSaveRequest& request) override;
    Result<void> setPath(const QString& path) override;

    // What a store written by an earlier model lacks of what was added to it since.
    struct AbsentSchema
    {
        QSet<QString> tables;                  // of entities, by name
        QHash<QString, QSet<QString>> columns; // of attributes, by entity name
        QHash<QString, QSet<QString>> indexes; // of indexed attributes, by entity name
    };

private:
    SQLiteStore(QString identifier, QString path, std::shared_ptr<const ManagedObjectModel> model,
                std::unique_ptr<SQLite::Database> database, Access access, bool readOnly,
                AbsentSchema absent);

    // Opens the same store at path again, for writing or as open() would.
    Result<void> reopen(const QString& path, bool forWriting);

    Result<QList<StoreRow>> readRows(const EntityDescription& entity, const Predicate& predicate,
                                     std::optional<qint64> primaryKey, const KeyFilter& keyOnly = {});
    // The statement of a read, prepared at its first use and kept for the next read of the same SQL
    // (fetches repeat a few shapes of query many times); reset and without bindings, ready to bind.
    // The caller resets it when done (ReadStatement), so that no read stays open.
    SQLite::Statement& readStatement(const QString& sql);
    void writeRows(const std::vector<EntityRow>& rows, bool insert);
    // Inside a save's transaction: makes the tables and columns the store lacks.
    void addAbsentSchema();

    std::shared_ptr<const ManagedObjectModel> m_model;
    std::unique_ptr<SQLite::Database> m_database;
    Access m_access = Access::readWrite;
    bool m_readOnly = false;           // until the first save of a store opened in log mode
    AbsentSchema m_absent;             // until the first save
    QHash<QString, qint64> m_lastKeys; // by entity: the highest key stored or handed out
    // By SQL, of m_database; declared after it, so that they are finalized before it closes.
    std::unordered_map<std::string, std::unique_ptr<SQLite::Statement>> m_readStatements;
};

} // namespace store
