#include "TestLibrary.h"
#include "store/ManagedObjectModel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

using store::FetchRequest;
using store::ManagedObject;
using store::PersistentStore;
using store::PersistentStoreCoordinator;
using store::Predicate;

namespace {

std::shared_ptr<PersistentStoreCoordinator>
sqliteCoordinator(const QString& path, QString* error = nullptr,
                  PersistentStore::Access access = PersistentStore::Access::readWrite)
{
    auto coordinator = std::make_shared<PersistentStoreCoordinator>(libraryModel());
    auto store = coordinator->addPersistentStore(PersistentStore::Type::sqlite, path, access);
    if (!store) {
        if (error)
            *error = store.error().message();
        return nullptr;
    }
    return coordinator;
}

QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Saves context while the tag transformer is away, so that the save fails at the first tagged row.
store::Result<void> saveWithoutTagTransformer(store::ManagedObjectContext& context)
{
    auto transformer = store::ValueTransformer::valueTransformer("TestTagTransformer");
    store::ValueTransformer::setValueTransformer(nullptr, "TestTagTransformer");
    store::Result<void> saved = context.save();
    store::ValueTransformer::setValueTransformer(transformer, "TestTagTransformer");
    return saved;
}

void execute(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

// The columns of table that an index leads with, sorted.
QStringList indexedColumns(const QString& path, const char* table)
{
    sqlite3* db = nullptr;
    QStringList columns;
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK) {
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(
            db,
            "SELECT info.name FROM pragma_index_list(?1) AS list, pragma_index_info(list.name) "
            "AS info WHERE info.seqno = 0",
            -1, &query, nullptr);
        sqlite3_bind_text(query, 1, table, -1, SQLITE_STATIC);
        while (sqlite3_step(query) == SQLITE_ROW)
            columns.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(query, 0))));
        sqlite3_finalize(query);
    }
    sqlite3_close(db);
    columns.sort();
    return columns;
}

// Leaves the store at path as a save killed halfway leaves it: pages of the store changed, and beside it
// the journal holding what they held before, which SQLite rolls back at the next read.
void leaveJournalOfACutShortSave(const QString& path)
{
    const QString copy = path + ".copy";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    // A cache of two pages spills the changed pages into the store before the transaction ends.
    ASSERT_EQ(sqlite3_exec(db,
                           "PRAGMA cache_size = 2; BEGIN; "
                           "UPDATE Book SET cover = randomblob(3000), title = 'changed';",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_TRUE(QFile::copy(path, copy));
    ASSERT_TRUE(QFile::copy(path + "-journal", copy + "-journal"));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(copy, path));
    ASSERT_TRUE(QFile::rename(copy + "-journal", path + "-journal"));
}

} // namespace

TEST(StoreTest, SQLiteStoreSavesAndReopensEveryAttributeType)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("library.store");
    QByteArray cover(70000, '\0');
    for (int i = 0; i < cover.size(); ++i)
        cover[i] = char(i * 7);
    store::ManagedObjectID shelfID;
    {
        auto coordinator = sqliteCoordinator(path);
        ASSERT_TRUE(coordinator);
        auto context = mainContext(coordinator);
        ManagedObject* shelf = context->insertNewObject("Shelf");
        shelf->setValueForKey("Fiction", "name");
        ManagedObject* full = makeBook(*context, "Grüße, \"quoted\" & 'odd'");
        full->setValueForKey(412, "pages");
        full->setValueForKey(Q_INT64_C(9780441013593), "isbn");
        full->setValueForKey(-3, "edition");
        full->setValueForKey(9.99, "price");
        full->setValueForKey(true, "available");
        full->setValueForKey(cover, "cover");
        full->setValueForKey("classic", "tag");
        full->setValueForKey("not stored", "note");
        ManagedObject* empty = makeBook(*context, "Empty");
        empty->setValueForKey(QVariant(), "pages");
        empty->setValueForKey(QByteArray(""), "cover");
        shelf->setRelatedObjects({empty, full}, "books");
        ManagedObject* author = context->insertNewObject("Author");
        author->setRelatedObjects({full, empty}, "books");
        ASSERT_TRUE(context->save());
        shelfID = shelf->objectID();
    }
    // The store is one file at rest.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"library.store"}));

    auto coordinator = sqliteCoordinator(path);
    ASSERT_TRUE(coordinator);
    auto context = mainContext(coordinator);
    auto id = coordinator->managedObjectIDForURIRepresentation(shelfID.uriRepresentation());
    ASSERT_TRUE(id);
    ManagedObject* shelf = context->objectWithID(*id);
    ASSERT_NE(shelf, nullptr);
    EXPECT_EQ(shelf->valueForKey("name").toString(), "Fiction");
    const QList<ManagedObject*> books = shelf->relatedObjects("books");
    ASSERT_EQ(titles(books), QStringList({"Empty", "Grüße, \"quoted\" & 'odd'"}));
    ManagedObject* full = books[1];
    EXPECT_EQ(full->valueForKey("pages"), QVariant(qlonglong(412)));
    EXPECT_EQ(full->valueForKey("isbn"), QVariant(qlonglong(9780441013593)));
    EXPECT_EQ(full->valueForKey("edition"), QVariant(qlonglong(-3)));
    EXPECT_EQ(full->valueForKey("price"), QVariant(9.99));
    EXPECT_EQ(full->valueForKey("available"), QVariant(true));
    EXPECT_EQ(full->valueForKey("cover").toByteArray(), cover);
    EXPECT_EQ(full->valueForKey("tag"), QVariant(QString("classic")));
    EXPECT_FALSE(full->valueForKey("note").isValid());
    EXPECT_EQ(full->relatedObject("shelf"), shelf);
    ManagedObject* empty = books[0];
    EXPECT_FALSE(empty->valueForKey("pages").isValid());
    EXPECT_EQ(empty->valueForKey("cover").toByteArray(), QByteArray(""));
    EXPECT_FALSE(empty->valueForKey("tag").isValid());
    ASSERT_EQ(full->relatedObjects("authors").size(), 1);
    EXPECT_EQ(titles(full->relatedObjects("authors").first()->relatedObjects("books")),
              QStringList({"Grüße, \"quoted\" & 'odd'", "Empty"}));

    // Updates and deletes reach the file as well.
    full->setValueForKey(500, "pages");
    context->deleteObject(empty);
    ASSERT_TRUE(context->save());
    auto reopened = mainContext(sqliteCoordinator(path));
    auto all = reopened->execute(FetchRequest("Book", Predicate::equal("pages", 500)));
    ASSERT_TRUE(all);
    EXPECT_EQ(all->size(), 1);
    EXPECT_EQ(titles(reopened->objectWithID(*id)->relatedObjects("books")).size(), 1);
}

TEST(StoreTest, SQLiteStoreRefusesFilesThatAreNotStoresOfTheModelAndLeavesThemAsTheyAre)
{
    QTemporaryDir dir;
    QString error;
    auto refusedUnchanged = [&](const QString& path, const char* reason) {
        const QByteArray before = fileDigest(path);
        const qint64 size = QFileInfo(path).size();
        EXPECT_FALSE(sqliteCoordinator(path, &error)) << reason;
        EXPECT_TRUE(error.contains("could not be opened")) << error.toStdString();
        EXPECT_EQ(fileDigest(path), before) << reason;
        EXPECT_EQ(QFileInfo(path).size(), size) << reason;
    };
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };

    refusedUnchanged(write("notes.txt", QByteArray(4096, 'x')), "text");
    refusedUnchanged(write("empty.store", {}), "empty");
    EXPECT_TRUE(error.contains("empty or not a document store")) << error.toStdString();
    refusedUnchanged(write("one.store", "x"), "one byte");
    refusedUnchanged(write("zero.store", QByteArray(1, '\0')), "one zero byte");

    const QString foreign = dir.filePath("foreign.sqlite");
    execute(foreign, "CREATE TABLE people (name TEXT)");
    refusedUnchanged(foreign, "foreign table");
    EXPECT_TRUE(error.contains("not a document store")) << error.toStdString();
    const QString viewOnly = dir.filePath("view.sqlite");
    execute(viewOnly, "CREATE VIEW numbers AS SELECT 1 AS n");
    refusedUnchanged(viewOnly, "only a view");

    // Something that is not a regular file is refused without being opened.
    const QString fifo = dir.filePath("fifo.store");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(sqliteCoordinator(fifo, &error));
    EXPECT_TRUE(error.contains("not a regular file")) << error.toStdString();
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    const QString path = dir.filePath("library.store");
    ASSERT_TRUE(sqliteCoordinator(path));
    execute(path, "ALTER TABLE Book DROP COLUMN price");
    EXPECT_FALSE(sqliteCoordinator(path, &error));
    EXPECT_TRUE(error.contains("does not match the data model")) << error.toStdString();
    EXPECT_TRUE(error.contains("price")) << error.toStdString();

    EXPECT_FALSE(sqliteCoordinator(dir.path(), &error));
}

TEST(StoreTest, SQLiteStoreRefusesTablesThatAreNotWhatTheySeemAndRunsNoTriggers)
{
    QTemporaryDir dir;
    // The columns of the Book table, for views that pose as it.
    const char* bookColumns = "0 AS pages, 0 AS isbn, 0 AS edition, 0 AS price, 0 AS available, "
                              "NULL AS cover, NULL AS tag, NULL AS shelf";
    struct Case
    {
        const char* name;
        QString sql;
        const char* problem;
    };
    const std::vector<Case> cases{
        // Each row would carry a value of 900 MB.
        {"huge values",
         QString(
             "DROP TABLE Book; CREATE VIEW Book AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
             "FROM r LIMIT 7) SELECT n AS Z_PK, zeroblob(900000000) AS title, %1 FROM r")
             .arg(bookColumns),
         "no table for Book"},
        // Rows without end, sorted: a temporary file that grows until the disk is full.
        {"endless rows",
         QString(
             "DROP TABLE Book; CREATE VIEW Book AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
             "FROM r) SELECT n AS Z_PK, randomblob(1000) AS title, %1 FROM r ORDER BY 2")
             .arg(bookColumns),
         "no table for Book"},
        {"endless members",
         "DROP TABLE Z_Shelf_books; CREATE VIEW Z_Shelf_books AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL "
         "SELECT n + 1 FROM r) SELECT 1 AS Z_SOURCE, n AS Z_TARGET, n AS Z_ORDER FROM r",
         "no table for Shelf.books"},
        {"metadata view", "ALTER TABLE Z_METADATA RENAME TO M; CREATE VIEW Z_METADATA AS SELECT * FROM M",
         "not a document store"},
        {"text keys", "DROP TABLE Author; CREATE TABLE Author (Z_PK TEXT, name TEXT)",
         "Z_PK of Author is not its integer primary key"},
    };
    for (const Case& test : cases) {
        const QString path = dir.filePath(QString(test.name) + ".store");
        ASSERT_TRUE(sqliteCoordinator(path));
        execute(path, test.sql.toUtf8().constData());
        const QByteArray before = fileDigest(path);
        QString error;
        EXPECT_FALSE(sqliteCoordinator(path, &error)) << test.name;
        EXPECT_TRUE(error.contains(test.problem)) << test.name << ": " << error.toStdString();
        EXPECT_EQ(fileDigest(path), before) << test.name;
    }

    // A trigger that a file brings along does not run when the store writes.
    const QString path = dir.filePath("triggered.store");
    ASSERT_TRUE(sqliteCoordinator(path));
    execute(path, "CREATE TRIGGER planted AFTER INSERT ON Book BEGIN INSERT INTO Author (Z_PK, name) "
                  "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r LIMIT 3) "
                  "SELECT n, 'planted' FROM r; END");
    {
        auto context = mainContext(sqliteCoordinator(path));
        makeBook(*context, "Written");
        ASSERT_TRUE(context->save());
    }
    auto context = mainContext(sqliteCoordinator(path));
    EXPECT_EQ(context->execute(FetchRequest("Book"))->size(), 1);
    EXPECT_TRUE(context->execute(FetchRequest("Author"))->isEmpty());
}

TEST(StoreTest, SQLiteStoreReadsWronglyTypedValuesAsMissing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("library.store");
    {
        auto context = mainContext(sqliteCoordinator(path));
        ManagedObject* shelf = context->insertNewObject("Shelf");
        shelf->addRelatedObject(makeBook(*context, "Fine"), "books");
        ASSERT_TRUE(context->save());
    }
    execute(path, "UPDATE Book SET title = X'00FF', pages = 'many', edition = 100000, price = 'cheap', "
                  "available = 2.5, cover = 'text', tag = X'0102', shelf = 'one'");
    execute(path, "INSERT INTO Z_Shelf_books (Z_SOURCE, Z_TARGET, Z_ORDER) VALUES (1, 999, 5), (1, 'x', 6)");

    auto context = mainContext(sqliteCoordinator(path));
    auto books = context->execute(FetchRequest("Book"));
    ASSERT_TRUE(books);
    ASSERT_EQ(books->size(), 1);
    ManagedObject* book = books->first();
    for (const char* key : {"title", "pages", "edition", "price", "available", "cover", "tag"})
        EXPECT_FALSE(book->valueForKey(key).isValid()) << key;
    EXPECT_EQ(book->relatedObject("shelf"), nullptr);
    auto shelves = context->execute(FetchRequest("Shelf"));
    ASSERT_TRUE(shelves);
    // The real member stays; the dangling and malformed ones are skipped.
    EXPECT_EQ(shelves->first()->relatedObjects("books"), QList<ManagedObject*>{book});
}

TEST(StoreTest, AStoreWrittenBeforeAdditionsToTheModelOpensUnchangedAndGainsThemAtItsFirstSave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("older.store");
    {
        auto context = mainContext(sqliteCoordinator(path));
        makeBook(*context, "Old")->setValueForKey("kept", "tag");
        ASSERT_TRUE(context->save());
    }
    EXPECT_EQ(indexedColumns(path, "Book"), (QStringList{"subtitle", "title"}));
    // What a store of the model before the subtitle, the reviews and the index of titles holds.
    execute(path, "DROP INDEX Z_Book_title_INDEX; DROP INDEX Z_Book_subtitle_INDEX; "
                  "ALTER TABLE Book DROP COLUMN subtitle; DROP TABLE Z_Review_books; DROP TABLE Review");
    const QByteArray older = fileDigest(path);
    {
        auto context = mainContext(sqliteCoordinator(path));
        auto books = context->execute(FetchRequest("Book"));
        ASSERT_TRUE(books);
        ASSERT_EQ(books->size(), 1);
        EXPECT_FALSE(books->first()->valueForKey("subtitle").isValid());
        EXPECT_EQ(context->execute(FetchRequest("Book", Predicate::equal("subtitle", QVariant())))->size(),
                  1);
        EXPECT_TRUE(context->execute(FetchRequest("Book", Predicate::equal("subtitle", "x")))->isEmpty());
        EXPECT_TRUE(context->execute(FetchRequest("Review"))->isEmpty());
    }
    EXPECT_EQ(fileDigest(path), older);

    auto coordinator = sqliteCoordinator(path);
    auto context = mainContext(coordinator);
    ManagedObject* book = context->execute(FetchRequest("Book"))->first();
    book->setValueForKey("Revised", "subtitle");
    ManagedObject* review = context->insertNewObject("Review");
    review->setValueForKey(5, "stars");
    review->setRelatedObjects({book}, "books");
    // A first save that fails adds nothing; the next one adds the column and the tables with the rows.
    makeBook(*context, "Tagged")->setValueForKey("lost", "tag");
    auto failed = saveWithoutTagTransformer(*context);
    ASSERT_FALSE(failed);
    EXPECT_EQ(fileDigest(path), older);
    ASSERT_TRUE(context->save());
    coordinator.reset();
    EXPECT_EQ(indexedColumns(path, "Book"), (QStringList{"subtitle", "title"}));

    auto reopened = mainContext(sqliteCoordinator(path));
    auto revised = reopened->execute(FetchRequest("Book", Predicate::equal("subtitle", "Revised")));
    ASSERT_TRUE(revised);
    ASSERT_EQ(revised->size(), 1);
    EXPECT_EQ(revised->first()->valueForKey("tag"), "kept");
    auto reviews = reopened->execute(FetchRequest("Review"));
    ASSERT_TRUE(reviews);
    ASSERT_EQ(reviews->size(), 1);
    EXPECT_EQ(reviews->first()->valueForKey("stars").toLongLong(), 5);
    EXPECT_EQ(reviews->first()->relatedObjects("books"), QList<ManagedObject*>{revised->first()});
}

TEST(StoreTest, AFailedSQLiteSaveLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("library.store");
    auto coordinator = sqliteCoordinator(path);
    auto context = mainContext(coordinator);
    makeBook(*context, "Saved")->setValueForKey("kept", "tag");
    ASSERT_TRUE(context->save());
    const QByteArray before = fileDigest(path);

    // The transformer is gone half-way through the save: the rows before it must not stay.
    for (int i = 0; i < 20; ++i)
        makeBook(*context, QString("New %1").arg(i));
    makeBook(*context, "Tagged")->setValueForKey("lost", "tag");
    auto failed = saveWithoutTagTransformer(*context);
    ASSERT_FALSE(failed);
    EXPECT_TRUE(failed.error().message().contains("TestTagTransformer"));
    EXPECT_EQ(fileDigest(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"library.store"}));
    EXPECT_TRUE(context->hasChanges());
    for (ManagedObject* object : context->insertedObjects())
        EXPECT_TRUE(object->objectID().isTemporaryID());

    // The same changes save once the transformer is back.
    ASSERT_TRUE(context->save());
    coordinator.reset();
    auto fresh = mainContext(sqliteCoordinator(path));
    EXPECT_EQ(fresh->execute(FetchRequest("Book"))->size(), 22);
}

TEST(StoreTest, AStoreHoldingTheLargestKeyRefusesNewObjectsCleanly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("library.store");
    ASSERT_TRUE(sqliteCoordinator(path));
    execute(path, "INSERT INTO Book (Z_PK, title) VALUES (9223372036854775807, 'Last')");
    const QByteArray before = fileDigest(path);

    auto coordinator = sqliteCoordinator(path);
    auto context = mainContext(coordinator);
    ManagedObject* book = makeBook(*context, "One too many");
    auto refused = context->save();
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code(), store::Error::Code::storeSaveFailed);
    EXPECT_TRUE(refused.error().message().contains("no keys left for new Book objects"))
        << refused.error().message().toStdString();
    EXPECT_TRUE(book->isInserted());
    EXPECT_TRUE(book->objectID().isTemporaryID());
    EXPECT_EQ(fileDigest(path), before);

    // Other entities still take new objects, and the same holds for a copy in memory.
    context->deleteObject(book);
    context->insertNewObject("Shelf");
    ASSERT_TRUE(context->save());
    auto memory = coordinator->migratePersistentStore(coordinator->persistentStoreForPath(path), {},
                                                      PersistentStore::Type::inMemory);
    ASSERT_TRUE(memory);
    makeBook(*context, "Still too many");
    refused = context->save();
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().message().contains("no keys left"))
        << refused.error().message().toStdString();
}

TEST(StoreTest, AStoreThatCannotFindItsNextKeySaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("library.store");
    {
        auto context = mainContext(sqliteCoordinator(path));
        for (int i = 0; i < 2000; ++i)
            makeBook(*context, QString("Book %1").arg(i));
        ASSERT_TRUE(context->save());
    }
    // Damage the page that holds the highest keys; the lowest ones stay readable.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT pageno, (SELECT page_size FROM pragma_page_size) FROM dbstat "
                                 "WHERE name = 'Book' AND pagetype = 'leaf' ORDER BY path DESC LIMIT 1",
                                 -1, &query, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
    const qint64 page = sqlite3_column_int64(query, 0);
    const qint64 pageSize = sqlite3_column_int64(query, 1);
    sqlite3_finalize(query);
    sqlite3_close(db);
    ASSERT_GT(page, 2);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek((page - 1) * pageSize);
    file.write(QByteArray(int(pageSize), '\xff'));
    file.close();

    auto context = mainContext(sqliteCoordinator(path));
    makeBook(*context, "New");
    auto refused = context->save();
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().message().contains("malformed")) << refused.error().message().toStdString();
    EXPECT_FALSE(refused.error().message().contains("UNIQUE")) << refused.error().message().toStdString();
}

TEST(StoreTest, StoresMoveMigrateAndGetRemoved)
{
    QTemporaryDir dir;
    const QString first = dir.filePath("first.store");
    auto coordinator = sqliteCoordinator(first);
    auto context = mainContext(coordinator);
    ManagedObject* book = makeBook(*context, "Moving");
    ASSERT_TRUE(context->save());
    PersistentStore* store = coordinator->persistentStoreForPath(first);
    ASSERT_NE(store, nullptr);

    // Move: the file is renamed, the store follows it.
    const QString moved = dir.filePath("moved.store");
    ASSERT_TRUE(QFile::rename(first, moved));
    ASSERT_TRUE(coordinator->setPath(store, moved));
    EXPECT_EQ(coordinator->persistentStoreForPath(moved), store);
    book->setValueForKey("Moved", "title");
    ASSERT_TRUE(context->save());
    EXPECT_FALSE(coordinator->setPath(store, dir.filePath("missing.store")));

    // Migrate: a copy at a new place takes over; object IDs stay valid.
    const QString migrated = dir.filePath("migrated.store");
    auto target = coordinator->migratePersistentStore(store, migrated, PersistentStore::Type::sqlite);
    ASSERT_TRUE(target) << target.error().message().toStdString();
    EXPECT_EQ(coordinator->persistentStores(), QList<PersistentStore*>{*target});
    EXPECT_FALSE(coordinator->migratePersistentStore(*target, moved, PersistentStore::Type::sqlite));
    ManagedObject* added = makeBook(*context, "After migration");
    ASSERT_TRUE(context->save());
    auto fresh = mainContext(coordinator);
    EXPECT_EQ(fresh->objectWithID(book->objectID())->valueForKey("title").toString(), "Moved");
    EXPECT_NE(added->objectID().primaryKey(), book->objectID().primaryKey());
    auto reopened = mainContext(sqliteCoordinator(migrated));
    EXPECT_EQ(reopened->execute(FetchRequest("Book"))->size(), 2);
    auto old = mainContext(sqliteCoordinator(moved));
    EXPECT_EQ(old->execute(FetchRequest("Book"))->size(), 1);

    // Migrate into memory, then remove.
    auto memory = coordinator->migratePersistentStore(*target, {}, PersistentStore::Type::inMemory);
    ASSERT_TRUE(memory);
    EXPECT_EQ(fresh->execute(FetchRequest("Book"))->size(), 2);
    ASSERT_TRUE(coordinator->removePersistentStore(*memory));
    EXPECT_TRUE(coordinator->persistentStores().isEmpty());
    book->setValueForKey("Nowhere", "title");
    EXPECT_FALSE(context->save());
}

// SQLite takes names that differ only by letter case for one name: a table or column held so would be
// read, but every save would fail in making the one the model names beside it.
TEST(StoreTest, SchemaNamesThatDifferOnlyByLetterCaseAreRefusedUnchanged)
{
    QTemporaryDir dir;
    const struct
    {
        const char* name;
        const char* sql;
        const char* problem;
    } cases[] = {
        // SQLite renames a table into another letter case only by way of another name.
        {"table added later", "ALTER TABLE Review RENAME TO Renamed; ALTER TABLE Renamed RENAME TO review",
         "the table review differs from Review only by letter case"},
        {"column added later", "ALTER TABLE Book RENAME COLUMN subtitle TO Subtitle",
         "the column Subtitle of Book differs from subtitle only by letter case"},
        {"column", "ALTER TABLE Book RENAME COLUMN pages TO PAGES",
         "the column PAGES of Book differs from pages only by letter case"},
        {"join table",
         "ALTER TABLE Z_Shelf_books RENAME TO Renamed; ALTER TABLE Renamed RENAME TO z_shelf_books",
         "the table z_shelf_books differs from Z_Shelf_books only by letter case"},
    };
    for (const auto& test : cases) {
        const QString path = dir.filePath(QString(test.name) + ".store");
        {
            auto context = mainContext(sqliteCoordinator(path));
            makeBook(*context, "Kept");
            ASSERT_TRUE(context->save());
        }
        execute(path, test.sql);
        const QByteArray before = fileDigest(path);
        QString error;
        EXPECT_FALSE(sqliteCoordinator(path, &error)) << test.name;
        EXPECT_TRUE(error.contains(test.problem)) << test.name << ": " << error.toStdString();
        EXPECT_EQ(fileDigest(path), before) << test.name;
    }

    // An index is only looked up by name: one in another letter case serves, and saves go on.
    const QString path = dir.filePath("index.store");
    {
        auto context = mainContext(sqliteCoordinator(path));
        makeBook(*context, "Kept");
        ASSERT_TRUE(context->save());
    }
    execute(path, "DROP INDEX Z_Book_title_INDEX; CREATE INDEX z_book_title_index ON Book (title)");
    auto context = mainContext(sqliteCoordinator(path));
    makeBook(*context, "Added");
    EXPECT_TRUE(context->save());
}

// Opened to be read only, a store is never written: a journal whose rollback would write is refused
// with what to do, and a second name of the store, which only saving would write through, is no reason
// to refuse it.
TEST(StoreTest, AStoreOpenedToBeReadOnlyIsNeverWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("library.store");
    {
        auto context = mainContext(sqliteCoordinator(path));
        for (int i = 0; i < 40; ++i)
            makeBook(*context, "Saved")->setValueForKey(QByteArray(3000, 'c'), "cover");
        ASSERT_TRUE(context->save());
    }
    ASSERT_EQ(
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("other")).constData()), 0);
    QString error;
    EXPECT_FALSE(sqliteCoordinator(path, &error));
    EXPECT_TRUE(error.contains("is a hard link")) << error.toStdString();
    {
        auto coordinator = sqliteCoordinator(path, &error, PersistentStore::Access::readOnly);
        ASSERT_TRUE(coordinator) << error.toStdString();
        auto context = mainContext(coordinator);
        EXPECT_EQ(context->execute(FetchRequest("Book"))->size(), 40);
        makeBook(*context, "Unsaved");
        const auto saved = context->save();
        ASSERT_FALSE(saved);
        EXPECT_TRUE(saved.error().message().contains("opened to be read only"))
            << saved.error().message().toStdString();
    }
    ASSERT_TRUE(QFile::remove(dir.filePath("other")));

    leaveJournalOfACutShortSave(path);
    const QByteArray store = fileDigest(path);
    const QByteArray journal = fileDigest(path + "-journal");
    EXPECT_FALSE(sqliteCoordinator(path, &error, PersistentStore::Access::readOnly));
    EXPECT_TRUE(error.contains("a save that was cut short left its journal")) << error.toStdString();
    EXPECT_TRUE(error.contains("Open it once to be changed, which recovers it")) << error.toStdString();
    EXPECT_EQ(fileDigest(path), store);
    EXPECT_EQ(fileDigest(path + "-journal"), journal);

    // Opened to be changed, the store is recovered from the journal.
    auto context = mainContext(sqliteCoordinator(path));
    EXPECT_EQ(context->execute(FetchRequest("Book", Predicate::equal("title", "Saved")))->size(), 40);
    EXPECT_FALSE(QFileInfo::exists(path + "-journal"));
}

// SQLite opens no path longer than it can hold; such a store is refused with a message that says so.
TEST(StoreTest, AStorePathTooLongForSQLiteIsRefusedSayingSo)
{
    QTemporaryDir dir;
    QString deep = dir.path();
    while (deep.size() < 520)
        deep += "/" + QString(60, 'f');
    ASSERT_TRUE(QDir().mkpath(deep));
    QString error;
    const QString created = deep + "/new.store";
    EXPECT_FALSE(sqliteCoordinator(created, &error));
    EXPECT_TRUE(error.contains("could not be created: its path is " +
                               QString::number(created.toUtf8().size()) + " bytes long"))
        << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(created));

    ASSERT_TRUE(QDir().mkdir(dir.filePath("moved")));
    ASSERT_TRUE(sqliteCoordinator(dir.filePath("moved/library.store")));
    ASSERT_TRUE(QDir().rename(dir.filePath("moved"), deep + "/moved"));
    const QString opened = deep + "/moved/library.store";
    EXPECT_FALSE(sqliteCoordinator(opened, &error));
    EXPECT_TRUE(error.contains("could not be opened: its path is " + QString::number(opened.toUtf8().size()) +
                               " bytes long"))
        << error.toStdString();
}
