#include "TestLibrary.h"
#include "store/ManagedObjectModel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using store::FetchRequest;
using store::ManagedObject;
using store::PersistentStore;
using store::PersistentStoreCoordinator;
using store::Predicate;

namespace {

std::shared_ptr<PersistentStoreCoordinator> sqliteCoordinator(const QString& path, QString* error = nullptr)
{
    auto coordinator = std::make_shared<PersistentStoreCoordinator>(libraryModel());
    auto store = coordinator->addPersistentStore(PersistentStore::Type::SQLite, path);
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

void execute(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
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

TEST(StoreTest, SQLiteStoreRefusesFilesThatAreNotStoresOfTheModel)
{
    QTemporaryDir dir;
    QString error;

    const QString text = dir.filePath("notes.txt");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const QByteArray before = fileDigest(text);
    EXPECT_FALSE(sqliteCoordinator(text, &error));
    EXPECT_TRUE(error.contains("could not be opened")) << error.toStdString();
    EXPECT_EQ(fileDigest(text), before);

    const QString foreign = dir.filePath("foreign.sqlite");
    execute(foreign, "CREATE TABLE people (name TEXT)");
    EXPECT_FALSE(sqliteCoordinator(foreign, &error));
    EXPECT_TRUE(error.contains("not a document store")) << error.toStdString();

    const QString path = dir.filePath("library.store");
    ASSERT_TRUE(sqliteCoordinator(path));
    execute(path, "ALTER TABLE Book DROP COLUMN price");
    EXPECT_FALSE(sqliteCoordinator(path, &error));
    EXPECT_TRUE(error.contains("does not match the data model")) << error.toStdString();
    EXPECT_TRUE(error.contains("price")) << error.toStdString();

    EXPECT_FALSE(sqliteCoordinator(dir.path(), &error));
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
    auto transformer = store::ValueTransformer::valueTransformer("TestTagTransformer");
    store::ValueTransformer::setValueTransformer(nullptr, "TestTagTransformer");
    auto failed = context->save();
    store::ValueTransformer::setValueTransformer(transformer, "TestTagTransformer");
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
    auto target = coordinator->migratePersistentStore(store, migrated, PersistentStore::Type::SQLite);
    ASSERT_TRUE(target) << target.error().message().toStdString();
    EXPECT_EQ(coordinator->persistentStores(), QList<PersistentStore*>{*target});
    EXPECT_FALSE(coordinator->migratePersistentStore(*target, moved, PersistentStore::Type::SQLite));
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
    auto memory = coordinator->migratePersistentStore(*target, {}, PersistentStore::Type::InMemory);
    ASSERT_TRUE(memory);
    EXPECT_EQ(fresh->execute(FetchRequest("Book"))->size(), 2);
    ASSERT_TRUE(coordinator->removePersistentStore(*memory));
    EXPECT_TRUE(coordinator->persistentStores().isEmpty());
    book->setValueForKey("Nowhere", "title");
    EXPECT_FALSE(context->save());
}
