#include "document/PackagedPersistentDocument.h"

#include "document/DeepCloneError.h"
#include "document/DeepCloner.h"
#include "manageddocument/PropertyListResource.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"
#include "store/PersistentStoreCoordinator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using pelorama::document::PackagedPersistentDocument;

std::shared_ptr<const store::ManagedObjectModel> noteModel()
{
    static const auto model = store::ManagedObjectModel::fromJson(
        R"({"entities": [{"name": "Note", "attributes": [{"name": "text", "type": "string"}]}]})");
    return model.value();
}

// A packaged document of notes with one resource, "Info".
class NotesDocument : public PackagedPersistentDocument
{
public:
    NotesDocument()
        : PackagedPersistentDocument(noteModel())
    {
        resources().push_back(&info);
    }

    void addNote(const QString& text)
    {
        managedObjectContext()->insertNewObject("Note")->setValueForKey(text, "text");
    }

    QStringList notes()
    {
        store::FetchRequest request("Note");
        request.sortDescriptors = {{"text", true}};
        QStringList texts;
        const QList<store::ManagedObject*> fetched = managedObjectContext()->execute(request).value();
        for (store::ManagedObject* note : fetched)
            texts.append(note->valueForKey("text").toString());
        return texts;
    }

    QString storePath() const
    {
        const QList<store::PersistentStore*> stores = persistentStoreCoordinator().persistentStores();
        return stores.size() == 1 ? stores.first()->path() : QString();
    }

    manageddocument::PropertyListResource info{"Info"};
};

class PackagedPersistentDocumentTest : public testing::Test
{
protected:
    QString makePackage(const QString& name)
    {
        QString path = m_folder.filePath(name);
        NotesDocument document;
        document.initializeNewDocument("Notes");
        document.addNote("first");
        document.info.setDictionary({{"Kind", "notes"}});
        EXPECT_TRUE(document.saveAs(path));
        return path;
    }

    std::unique_ptr<NotesDocument> open(const QString& path)
    {
        auto document = std::make_unique<NotesDocument>();
        auto read = document->readFromPath(path, "Notes");
        EXPECT_TRUE(read) << (read ? "" : read.error().message().toStdString());
        return document;
    }

    QTemporaryDir m_folder;
};

TEST_F(PackagedPersistentDocumentTest, StorePathIsInsideThePackageWhetherOrNotItExists)
{
    NotesDocument document;
    EXPECT_EQ(document.storeFilename(), "Database");
    EXPECT_EQ(document.property("storeFilename").toString(), "Database");
    EXPECT_EQ(document.storePathFor("/nowhere/Notes.notes"), "/nowhere/Notes.notes/Database");
}

TEST_F(PackagedPersistentDocumentTest, FirstSaveMakesThePackageWithDatabaseAndResources)
{
    const QString path = makePackage("Notes.notes");
    EXPECT_EQ(QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Database", "Info"}));
    auto document = open(path);
    EXPECT_EQ(document->storePath(), path + "/Database");
    EXPECT_EQ(document->notes(), QStringList({"first"}));
    EXPECT_EQ(document->info.dictionary().value("Kind").toString(), "notes");
}

TEST_F(PackagedPersistentDocumentTest, SaveAsMigratesTheStoreIntoTheNewPackage)
{
    const QString original = makePackage("Notes.notes");
    const QString copy = m_folder.filePath("Copy.notes");
    auto document = open(original);
    document->addNote("second");
    ASSERT_TRUE(document->saveAs(copy));
    EXPECT_EQ(document->storePath(), copy + "/Database");
    document->addNote("third");
    ASSERT_TRUE(document->save());
    document.reset();

    EXPECT_EQ(open(original)->notes(), QStringList({"first"}));
    EXPECT_EQ(open(copy)->notes(), QStringList({"first", "second", "third"}));
    EXPECT_TRUE(QFileInfo(copy + "/Info").isFile());
}

TEST_F(PackagedPersistentDocumentTest, MovingThePackageMovesTheStore)
{
    const QString original = makePackage("Notes.notes");
    const QString moved = m_folder.filePath("Moved.notes");
    auto document = open(original);
    ASSERT_TRUE(QDir().rename(original, moved));
    document->setFilePath(moved);
    EXPECT_EQ(document->storePath(), moved + "/Database");
    document->addNote("after the move");
    ASSERT_TRUE(document->save());
    document.reset();
    EXPECT_EQ(open(moved)->notes(), QStringList({"after the move", "first"}));
}

TEST_F(PackagedPersistentDocumentTest, RevertReadsTheStoreAgain)
{
    const QString path = makePackage("Notes.notes");
    auto document = open(path);
    document->addNote("unsaved");
    document->info.setDictionary({});
    // Another store takes the place of the open one: only a store opened again reads it.
    const QString other = makePackage("Other.notes");
    {
        auto writer = open(other);
        writer->addNote("only in the other package");
        ASSERT_TRUE(writer->save());
    }
    ASSERT_TRUE(QFile::remove(path + "/Database"));
    ASSERT_TRUE(QFile::rename(other + "/Database", path + "/Database"));

    ASSERT_TRUE(document->revertToSaved());
    EXPECT_EQ(document->notes(), QStringList({"first", "only in the other package"}));
    EXPECT_EQ(document->info.dictionary().value("Kind").toString(), "notes");
    EXPECT_EQ(document->storePath(), path + "/Database");
    EXPECT_FALSE(document->isEdited());
}

TEST_F(PackagedPersistentDocumentTest, LinksInsideThePackageAreRefused)
{
    const QString path = makePackage("Notes.notes");
    const QString outside = m_folder.filePath("outside");
    ASSERT_TRUE(QFile::rename(path + "/Database", outside));
    ASSERT_TRUE(QFile::link(outside, path + "/Database"));
    QFile store(outside);
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    const QByteArray before = store.readAll();

    NotesDocument document;
    auto read = document.readFromPath(path, "Notes");
    ASSERT_FALSE(read);
    EXPECT_TRUE(read.error().message().contains(
        "“" + path + "/Database” is a link, and a document package may not hold links."))
        << read.error().message().toStdString();
    EXPECT_TRUE(document.persistentStoreCoordinator().persistentStores().isEmpty());
    store.seek(0);
    EXPECT_EQ(store.readAll(), before);
}

TEST_F(PackagedPersistentDocumentTest, PackageWithoutDatabaseOpensWithoutAStore)
{
    const QString path = makePackage("Notes.notes");
    ASSERT_TRUE(QFile::remove(path + "/Database"));
    auto document = open(path);
    EXPECT_TRUE(document->persistentStoreCoordinator().persistentStores().isEmpty());
    EXPECT_EQ(document->info.dictionary().value("Kind").toString(), "notes");
}

TEST_F(PackagedPersistentDocumentTest, SavingInPlaceNeedsThePackage)
{
    const QString path = makePackage("Notes.notes");
    auto document = open(path);
    document->addNote("second");
    ASSERT_TRUE(QDir(path).removeRecursively());
    auto saved = document->save();
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.error().message().contains("There is no package at “" + path + "”."));
    EXPECT_TRUE(document->isEdited());
}

TEST(DeepClonerTest, ErrorDescribesTheObjectWithoutContext)
{
    const pelorama::document::DeepCloneError error(
        pelorama::document::DeepCloneError::Code::entityWithoutContext);
    EXPECT_EQ(error.description(), "Entity without managed object context");

    pelorama::document::DeepCloner cloner;
    cloner.blacklistedRelationships().append(
        pelorama::document::BlacklistedRelationship{"Screenshot", "drawableMappings"});
    EXPECT_TRUE(cloner.cloneMap().empty());
    EXPECT_TRUE(cloner.blacklistedRelationships().contains(
        pelorama::document::BlacklistedRelationship{"Screenshot", "drawableMappings"}));
}

} // namespace
