#include "TestDocument.h"
#include "TestSupport.h"
#include "foundation/PropertyListSerialization.h"
#include "manageddocument/PackageDocument.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QDir>
#include <QFile>
#include <QPointF>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

using manageddocument::PackageDocument;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QVariantMap metadataOnDisk(const QString& package)
{
    auto value = foundation::PropertyListSerialization::propertyListFromData(readFile(package + "/Metadata"));
    return value ? value->toMap() : QVariantMap();
}

ino_t inodeOf(const QString& path)
{
    struct stat status
    {
    };
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_ino;
}

void makePipe(const QString& path)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
}

void hardLink(const QString& existing, const QString& path)
{
    ASSERT_EQ(::link(QFile::encodeName(existing).constData(), QFile::encodeName(path).constData()), 0);
}

// A journal that looks left by an interrupted save (its first byte is not zero) and ends as one of a
// save over several databases does: the name of the file listing them, its length, its checksum and the
// journal's magic number. Rolling it back removes the file it names.
QByteArray journalNaming(const QString& file)
{
    const QByteArray name = QFile::encodeName(file);
    quint32 checksum = 0;
    for (char c : name)
        checksum += quint32(c);
    QByteArray journal(512, '\0');
    journal[0] = 1;
    journal += name;
    for (quint32 word : {quint32(name.size()), checksum}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            journal += char(word >> shift);
    }
    return journal + QByteArray::fromHex("d9d505f920a163d7");
}

void setJournalMode(const QString& store, const char* mode)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(store).constData(), &db), SQLITE_OK);
    const QByteArray statement = QByteArray("PRAGMA journal_mode = ") + mode;
    EXPECT_EQ(sqlite3_exec(db, statement.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

class ManagedDocumentTest : public testing::Test
{
protected:
    Watchdog m_watchdog{std::chrono::seconds(60)};

    // A saved package with two screenshots, "One" and "Two".
    QString makePackage(const QString& name = "Shots.pelorama")
    {
        QString path = m_folder.filePath(name);
        TestDocument document;
        document.initializeNewDocument(TestDocument::typeName);
        document.addScreenshot("One", 1, "picture one");
        document.addScreenshot("Two", 2, "picture two");
        auto saved = document.saveAs(path);
        EXPECT_TRUE(saved) << (saved ? "" : saved.error().message().toStdString());
        return path;
    }

    std::unique_ptr<TestDocument> open(const QString& path)
    {
        auto document = std::make_unique<TestDocument>();
        document->setUserInterface(std::make_unique<ScriptedUserInterface>(m_user));
        auto read = document->readFromPath(path, TestDocument::typeName);
        EXPECT_TRUE(read) << (read ? "" : read.error().message().toStdString());
        return read ? std::move(document) : nullptr;
    }

    QTemporaryDir m_folder;
    std::shared_ptr<UserScript> m_user = std::make_shared<UserScript>();
};

// Package resources

TEST_F(ManagedDocumentTest, FirstSaveMakesThePackageWithStoreAndBinaryMetadata)
{
    const QString path = makePackage();
    EXPECT_TRUE(QFileInfo(PackageDocument::persistentStorePath(path)).isFile());
    EXPECT_TRUE(readFile(path + "/Metadata").startsWith("bplist00"));
    const QVariantMap metadata = metadataOnDisk(path);
    EXPECT_EQ(metadata.value("FileVersion").toLongLong(), 1);
    EXPECT_EQ(metadata.value("AppVersion").toString(), TestDocument::appVersion);
    EXPECT_EQ(QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Metadata", "StoreContent"}));

    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->captions(), QStringList({"One", "Two"}));
    EXPECT_EQ(document->metadata().dictionary(), metadata);
    EXPECT_FALSE(document->isEdited());
}

TEST_F(ManagedDocumentTest, SavingKeepsTheVersionThatMadeTheDocument)
{
    const QString path = makePackage();
    auto document = open(path);
    ASSERT_TRUE(document);
    QVariantMap metadata = document->metadata().dictionary();
    metadata.insert("AppVersion", "0.9");
    document->metadata().setDictionary(metadata);
    document->screenshots().first()->setValueForKey("Changed", "caption");
    ASSERT_TRUE(document->save());
    ASSERT_TRUE(document->save());

    EXPECT_EQ(metadataOnDisk(path).value("AppVersion").toString(), "0.9");
    // Two saves leave one "Metadata" and nothing else beside the store.
    EXPECT_EQ(QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Metadata", "StoreContent"}));
}

TEST_F(ManagedDocumentTest, EverySaveLeavesTheCurrentMetadataInThePackage)
{
    const QString path = makePackage();
    auto document = open(path);
    ASSERT_TRUE(document);
    document->metadata().setDictionary({{"Step", 1}});
    ASSERT_TRUE(document->save());
    document->metadata().setDictionary({{"Step", 2}});
    ASSERT_TRUE(document->save());
    EXPECT_EQ(metadataOnDisk(path).value("Step").toInt(), 2);

    ASSERT_TRUE(QFile::remove(path + "/Metadata"));
    ASSERT_TRUE(document->save());
    EXPECT_EQ(metadataOnDisk(path).value("Step").toInt(), 2);
}

TEST_F(ManagedDocumentTest, MissingMetadataOpensEmptyAndTheNextSaveWritesAnEmptyDictionary)
{
    const QString path = makePackage();
    ASSERT_TRUE(QFile::remove(path + "/Metadata"));
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_TRUE(document->metadata().dictionary().isEmpty());

    ASSERT_TRUE(document->save());
    ASSERT_TRUE(QFileInfo(path + "/Metadata").isFile());
    auto value = foundation::PropertyListSerialization::propertyListFromData(readFile(path + "/Metadata"));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->typeId(), QMetaType::QVariantMap);
    EXPECT_TRUE(value->toMap().isEmpty());
}

TEST_F(ManagedDocumentTest, MetadataWhoseRootIsNoDictionaryOpensEmpty)
{
    const QString path = makePackage();
    auto array = foundation::PropertyListSerialization::dataFromPropertyList(QVariantList{1, "two"});
    writeFile(path + "/Metadata", *array);
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_TRUE(document->metadata().dictionary().isEmpty());
}

TEST_F(ManagedDocumentTest, MetadataFolderWarnsOnceAndOpensEmpty)
{
    const QString path = makePackage();
    ASSERT_TRUE(QFile::remove(path + "/Metadata"));
    ASSERT_TRUE(QDir(path).mkdir("Metadata"));
    testing::internal::CaptureStdout();
    auto document = open(path);
    const std::string output = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(document);
    EXPECT_EQ(output, "Warning: resource was modified during reading!\n");
    EXPECT_TRUE(document->metadata().dictionary().isEmpty());

    // Saving puts a file in the folder's place.
    document->screenshots().first()->setValueForKey("Changed", "caption");
    ASSERT_TRUE(document->save());
    EXPECT_TRUE(QFileInfo(path + "/Metadata").isFile());
}

TEST_F(ManagedDocumentTest, MetadataInTheTextFormatOpens)
{
    const QString path = makePackage();
    writeFile(path + "/Metadata",
              "// kept by hand\n{ FileVersion = 1; AppVersion = \"0.9\"; Tags = (a, b); }\n");
    auto document = open(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->metadata().dictionary(),
              (QVariantMap{{"FileVersion", "1"}, {"AppVersion", "0.9"}, {"Tags", QVariantList{"a", "b"}}}));
    // Saved back in the binary form, unchanged otherwise.
    ASSERT_TRUE(document->save());
    EXPECT_TRUE(readFile(path + "/Metadata").startsWith("bplist00"));
    EXPECT_EQ(metadataOnDisk(path), document->metadata().dictionary());
}

TEST_F(ManagedDocumentTest, EverySaveWritesTheMetadataBackOverWhatTheFileHoldsMeanwhile)
{
    const QString path = makePackage();
    auto document = open(path);
    ASSERT_TRUE(document);
    ASSERT_TRUE(document->save());
    const QVariantMap kept = document->metadata().dictionary();
    writeFile(path + "/Metadata", *foundation::PropertyListSerialization::dataFromPropertyList(
                                      QVariantMap{{"Foreign", "written by someone else"}}));
    document->screenshots().first()->setValueForKey("Changed", "caption");
    ASSERT_TRUE(document->save());
    EXPECT_EQ(metadataOnDisk(path), kept);
}

TEST_F(ManagedDocumentTest, HugeMetadataIsRefusedWithoutBeingRead)
{
    const QString path = makePackage();
    QFile metadata(path + "/Metadata");
    // A gigabyte of zeros that takes no room on disk.
    ASSERT_TRUE(metadata.resize(qint64(1) << 30));
    ASSERT_EQ(QFileInfo(metadata).size(), qint64(1) << 30);

    TestDocument document;
    auto read = document.readFromPath(path, TestDocument::typeName);
    ASSERT_FALSE(read);
    const QString message = read.error().message();
    EXPECT_TRUE(message.contains("“" + path +
                                 "/Metadata” could not be read. It is 1.00 GiB, more than the "
                                 "4.00 MiB such a file may hold."))
        << message.toStdString();
    EXPECT_TRUE(document.isUntitled());
    EXPECT_TRUE(document.persistentStoreCoordinator().persistentStores().isEmpty());
    EXPECT_EQ(QFileInfo(metadata).size(), qint64(1) << 30);
}

TEST_F(ManagedDocumentTest, ValueThatIsNoPropertyListFailsTheSaveBeforeAnythingIsWritten)
{
    const QString path = makePackage();
    auto document = open(path);
    ASSERT_TRUE(document);
    const QMap<QString, QByteArray> before = snapshotOfFolder(path);
    QVariantMap metadata = document->metadata().dictionary();
    metadata.insert("Bad", QVariant::fromValue(QPointF(1, 2)));
    document->metadata().setDictionary(metadata);
    document->screenshots().first()->setValueForKey("Changed", "caption");

    auto saved = document->save();
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.error().message().contains("Metadata"));
    EXPECT_EQ(snapshotOfFolder(path), before);
    EXPECT_TRUE(document->isEdited());
}

// Packages that cannot be opened

struct DamagedPackage
{
    const char* name;
    std::function<void(const QString& package)> damage;
    const char* namedFile; // relative to the package
    const char* problem;
};

class DamagedPackageTest : public ManagedDocumentTest, public testing::WithParamInterface<DamagedPackage>
{
};

TEST_P(DamagedPackageTest, FailsWithAClearErrorAndChangesNothing)
{
    const QString path = makePackage();
    GetParam().damage(path);
    const QMap<QString, QByteArray> before = snapshotOfFolder(m_folder.path());

    TestDocument document;
    auto read = document.readFromPath(path, TestDocument::typeName);
    ASSERT_FALSE(read);
    const QString message = read.error().message();
    EXPECT_TRUE(message.startsWith("The document “Shots.pelorama” could not be opened."))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QDir::cleanPath(path + "/" + GetParam().namedFile)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(GetParam().problem)) << message.toStdString();
    EXPECT_EQ(snapshotOfFolder(m_folder.path()), before);
    EXPECT_TRUE(document.isUntitled());
    EXPECT_TRUE(document.persistentStoreCoordinator().persistentStores().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Packages, DamagedPackageTest,
    testing::Values(
        DamagedPackage{"NoFolder",
                       [](const QString& package) {
                           QDir(package).removeRecursively();
                           writeFile(package, "just a file");
                       },
                       ".", "is a file, but a document is a folder"},
        DamagedPackage{"NoStore",
                       [](const QString& package) { QDir(package + "/StoreContent").removeRecursively(); },
                       "StoreContent/persistentStore", "has no store"},
        DamagedPackage{
            "EmptyStore",
            [](const QString& package) { writeFile(package + "/StoreContent/persistentStore", ""); },
            "StoreContent/persistentStore", "is empty"},
        DamagedPackage{"OtherSchema",
                       [](const QString& package) {
                           const QString store = PackageDocument::persistentStorePath(package);
                           QFile::remove(store);
                           store::PersistentStoreCoordinator other(TestDocument::otherModel());
                           ASSERT_TRUE(other.addPersistentStore(store::PersistentStore::Type::sqlite, store));
                       },
                       "StoreContent/persistentStore", "does not match the data model"},
        DamagedPackage{"GarbageStore",
                       [](const QString& package) {
                           writeFile(package + "/StoreContent/persistentStore", QByteArray(4096, 'x'));
                       },
                       "StoreContent/persistentStore", "could not be opened"},
        DamagedPackage{"TruncatedStore",
                       [](const QString& package) {
                           QFile store(PackageDocument::persistentStorePath(package));
                           ASSERT_TRUE(store.resize(store.size() / 2));
                       },
                       "StoreContent/persistentStore", "could not be opened"},
        DamagedPackage{"StoreCutInItsHeader",
                       [](const QString& package) {
                           QFile store(PackageDocument::persistentStorePath(package));
                           ASSERT_TRUE(store.resize(60));
                       },
                       "StoreContent/persistentStore", "could not be opened"},
        DamagedPackage{
            "GarbageMetadata",
            [](const QString& package) { writeFile(package + "/Metadata", "{ not a property list"); },
            "Metadata", "is not a property list"},
        DamagedPackage{"LargeMetadata",
                       [](const QString& package) {
                           // A well-formed property list, but no settings file is this large.
                           writeFile(package + "/Metadata",
                                     *foundation::PropertyListSerialization::dataFromPropertyList(
                                         QVariantMap{{"Padding", QByteArray(5 << 20, 'x')}}));
                       },
                       "Metadata", "such a file may hold"},
        DamagedPackage{"LinkedMetadata",
                       [](const QString& package) {
                           const QString outside = package + "/../outside.plist";
                           ASSERT_TRUE(QFile::rename(package + "/Metadata", outside));
                           ASSERT_TRUE(QFile::link(outside, package + "/Metadata"));
                       },
                       "Metadata", "is a link, and a document package may not hold links"},
        DamagedPackage{"LinkedStoreFolder",
                       [](const QString& package) {
                           // A whole, valid store, but outside the package.
                           const QString outside = package + "/../OutsideStoreContent";
                           ASSERT_TRUE(QDir().rename(package + "/StoreContent", outside));
                           ASSERT_TRUE(QFile::link(outside, package + "/StoreContent"));
                       },
                       "StoreContent", "is a link, and a document package may not hold links"},
        DamagedPackage{"LinkedStore",
                       [](const QString& package) {
                           const QString store = PackageDocument::persistentStorePath(package);
                           const QString outside = package + "/../outsideStore";
                           ASSERT_TRUE(QFile::rename(store, outside));
                           ASSERT_TRUE(QFile::link(outside, store));
                       },
                       "StoreContent/persistentStore",
                       "is a link, and a document package may not hold links"},
        // SQLite would block in opening either pipe for reading.
        DamagedPackage{"PipeAsJournal",
                       [](const QString& package) {
                           makePipe(PackageDocument::persistentStorePath(package) + "-journal");
                       },
                       "StoreContent/persistentStore-journal",
                       "is a named pipe, and a document package may hold only files and folders"},
        DamagedPackage{
            "PipeAsWriteAheadLog",
            [](const QString& package) { makePipe(PackageDocument::persistentStorePath(package) + "-wal"); },
            "StoreContent/persistentStore-wal",
            "is a named pipe, and a document package may hold only files and folders"},
        DamagedPackage{"HardLinkedStore",
                       [](const QString& package) {
                           hardLink(PackageDocument::persistentStorePath(package),
                                    package + "/../outsideStore");
                       },
                       "StoreContent/persistentStore", "is a hard link"},
        DamagedPackage{"WriteAheadLogWithChanges",
                       [](const QString& package) {
                           writeFile(PackageDocument::persistentStorePath(package) + "-wal",
                                     QByteArray(4096, 'x'));
                       },
                       "StoreContent/persistentStore-wal", "holds changes"},
        DamagedPackage{"JournalNamingAFileElsewhere",
                       [](const QString& package) {
                           const QString notes = QDir::cleanPath(package + "/../notes.txt");
                           writeFile(notes, "kept");
                           writeFile(PackageDocument::persistentStorePath(package) + "-journal",
                                     journalNaming(notes));
                       },
                       "StoreContent/persistentStore-journal", "names another file"}),
    [](const testing::TestParamInfo<DamagedPackage>& info) { return info.param.name; });

// Opening writes nothing, whatever journal mode the store was left in by another program; the first
// save turns a store with a write-ahead log back into one file.
TEST_F(ManagedDocumentTest, OpeningChangesNoByteOfThePackage)
{
    for (const char* mode : {"DELETE", "WAL"}) {
        SCOPED_TRACE(mode);
        const QString path = makePackage(QString("Odd ?#%20 ") + mode + ".pelorama");
        const QString store = PackageDocument::persistentStorePath(path);
        setJournalMode(store, mode);
        const QMap<QString, QByteArray> before = snapshotOfFolder(path);

        auto document = open(path);
        ASSERT_TRUE(document);
        EXPECT_EQ(document->captions(), QStringList({"One", "Two"}));
        EXPECT_EQ(snapshotOfFolder(path), before);
        EXPECT_TRUE(document->close());
        document.reset();
        EXPECT_EQ(snapshotOfFolder(path), before);

        document = open(path);
        ASSERT_TRUE(document);
        document->screenshots().first()->setValueForKey("Saved", "caption");
        ASSERT_TRUE(document->save());
        document.reset();
        EXPECT_EQ(readFile(store).mid(18, 2), QByteArray("\1\1"));
        EXPECT_EQ(QDir(path + "/StoreContent")
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList({"persistentStore"}));
        EXPECT_EQ(open(path)->captions(), QStringList({"Saved", "Two"}));
    }
}

// A save writes the store and its journal in place, so another name given to either while the document
// is open makes the save fail rather than change the file under that name.
TEST_F(ManagedDocumentTest, SavingWritesThroughNoOtherNameOfTheStoreOrItsJournal)
{
    for (const char* journal : {"", "-journal"}) {
        SCOPED_TRACE(journal);
        const QString path = makePackage(QString("Linked") + journal + ".pelorama");
        const QString outside = m_folder.filePath(QString("outside") + journal);
        auto document = open(path);
        ASSERT_TRUE(document);
        const QString store = PackageDocument::persistentStorePath(path);
        if (*journal) {
            // A leading zero byte keeps SQLite from taking it for the journal of an interrupted save.
            writeFile(outside, QByteArray("\0kept", 5));
            hardLink(outside, store + journal);
        } else {
            hardLink(store, outside);
        }
        const QByteArray kept = readFile(outside);
        document->screenshots().first()->setValueForKey("Changed", "caption");
        auto saved = document->save();
        ASSERT_FALSE(saved);
        EXPECT_TRUE(saved.error().message().contains("is a hard link"))
            << saved.error().message().toStdString();
        EXPECT_EQ(readFile(outside), kept);
        EXPECT_TRUE(document->isEdited());
    }
}

// Saving, reverting, undo

TEST_F(ManagedDocumentTest, SavingInPlaceWritesIntoTheLiveStoreFile)
{
    const QString path = makePackage();
    const QString storePath = PackageDocument::persistentStorePath(path);
    const ino_t store = inodeOf(storePath);
    auto document = open(path);
    ASSERT_TRUE(document);
    for (int round = 0; round < 3; ++round) {
        document->screenshots().first()->setValueForKey("Round " + QString::number(round), "caption");
        ASSERT_TRUE(document->save());
    }
    EXPECT_EQ(inodeOf(storePath), store);
    document.reset();
    EXPECT_EQ(open(path)->captions(), QStringList({"Round 2", "Two"}));
}

TEST_F(ManagedDocumentTest, SaveAsWritesANewPackageAndLeavesTheOldOneAsSaved)
{
    const QString original = makePackage();
    const QString copy = m_folder.filePath("Copy.pelorama");
    auto document = open(original);
    ASSERT_TRUE(document);
    document->screenshots().first()->setValueForKey("Unsaved", "caption");
    ASSERT_TRUE(document->saveAs(copy));
    EXPECT_EQ(document->filePath(), copy);
    EXPECT_EQ(document->displayName(), "Copy");
    EXPECT_FALSE(document->isEdited());

    // Later saves go to the new package.
    document->addScreenshot("Three", 3);
    ASSERT_TRUE(document->save());
    document.reset();
    EXPECT_EQ(open(original)->captions(), QStringList({"One", "Two"}));
    EXPECT_EQ(open(copy)->captions(), QStringList({"Unsaved", "Two", "Three"}));
    EXPECT_EQ(metadataOnDisk(copy), metadataOnDisk(original));
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Copy.pelorama", "Shots.pelorama"}));
}

TEST_F(ManagedDocumentTest, SaveAsReplacesWhatIsAtTheDestination)
{
    const QString original = makePackage();
    const QString other = makePackage("Other.pelorama");
    auto document = open(original);
    ASSERT_TRUE(document);
    document->screenshots().last()->setValueForKey("Mine", "caption");
    ASSERT_TRUE(document->saveAs(other));
    document.reset();
    EXPECT_EQ(open(other)->captions(), QStringList({"One", "Mine"}));
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Other.pelorama", "Shots.pelorama"}));
}

TEST_F(ManagedDocumentTest, RevertDropsChangesAndReadsTheMetadataAgain)
{
    const QString path = makePackage();
    auto document = open(path);
    ASSERT_TRUE(document);
    store::ManagedObject* first = document->screenshots().first();
    first->setValueForKey("Changed", "caption");
    document->addScreenshot("Three", 3);
    document->metadata().setDictionary({{"Other", "value"}});
    ASSERT_TRUE(document->isEdited());

    ASSERT_TRUE(document->revertToSaved());
    EXPECT_FALSE(document->isEdited());
    EXPECT_EQ(document->undoStack()->count(), 0);
    EXPECT_EQ(document->captions(), QStringList({"One", "Two"}));
    EXPECT_EQ(first->valueForKey("caption").toString(), "One");
    EXPECT_EQ(document->metadata().dictionary(), metadataOnDisk(path));
}

TEST_F(ManagedDocumentTest, EditedFollowsTheUndoStack)
{
    const QString path = makePackage();
    auto document = open(path);
    ASSERT_TRUE(document);
    store::ManagedObject* first = document->screenshots().first();
    first->setValueForKey("Changed", "caption");
    EXPECT_TRUE(document->isEdited());
    ASSERT_TRUE(document->save());
    EXPECT_FALSE(document->isEdited());

    document->undoStack()->undo();
    EXPECT_TRUE(document->isEdited());
    EXPECT_EQ(first->valueForKey("caption").toString(), "One");
    document->undoStack()->redo();
    EXPECT_FALSE(document->isEdited());
    EXPECT_EQ(first->valueForKey("caption").toString(), "Changed");

    // A change in the same pass of the event loop as the save still counts.
    first->setValueForKey("Again", "caption");
    EXPECT_TRUE(document->isEdited());
}

TEST_F(ManagedDocumentTest, ReadOnlyFolderReportsTheFailureAndKeepsTheChanges)
{
    const QString path = makePackage();
    auto document = open(path);
    ASSERT_TRUE(document);
    document->screenshots().first()->setValueForKey("Kept", "caption");
    {
        FilePermissionsEnforced enforced;
        setFolderWritable(path, false);
        EXPECT_FALSE(document->saveDocument());
        ASSERT_EQ(m_user->errors.size(), 1);
        EXPECT_TRUE(m_user->errors.first().startsWith("The document “Shots” could not be saved."))
            << m_user->errors.first().toStdString();
        EXPECT_TRUE(document->isEdited());
        EXPECT_EQ(document->captions(), QStringList({"Kept", "Two"}));

        // Closing tries once more, reports it, and asks; cancelling keeps the document open.
        m_user->unsavedChangesAnswer = appkit::DocumentUserInterface::UnsavedChangesAnswer::cancel;
        EXPECT_FALSE(document->close());
        EXPECT_EQ(m_user->errors.size(), 2);
        EXPECT_EQ(m_user->unsavedChangesQuestions, 1);
        setFolderWritable(path, true);
    }
    ASSERT_TRUE(document->saveDocument());
    document.reset();
    EXPECT_EQ(open(path)->captions(), QStringList({"Kept", "Two"}));
}

} // namespace

// Links above a package (a home or documents folder on another disk) are followed; links inside it are
// still refused.
TEST_F(ManagedDocumentTest, APackageUnderALinkedFolderOpensAndSaves)
{
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("real"));
    ASSERT_TRUE(QFile::link(m_folder.filePath("real"), m_folder.filePath("linked")));
    const QString linked = m_folder.filePath("linked/Shots.pelorama");
    const QString real = m_folder.filePath("real/Shots.pelorama");
    ASSERT_TRUE(QDir().rename(makePackage(), real));

    auto document = open(linked);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->captions(), QStringList({"One", "Two"}));
    document->screenshots().first()->setValueForKey("Saved", "caption");
    ASSERT_TRUE(document->save());
    const QString copy = m_folder.filePath("linked/Copy.pelorama");
    document->screenshots().first()->setValueForKey("Saved as", "caption");
    ASSERT_TRUE(document->saveAs(copy));
    EXPECT_EQ(document->filePath(), copy);
    document->screenshots().first()->setValueForKey("Saved again", "caption");
    ASSERT_TRUE(document->save());
    document.reset();

    EXPECT_EQ(open(real)->captions(), QStringList({"Saved", "Two"}));
    EXPECT_TRUE(QFileInfo(m_folder.filePath("real/Copy.pelorama")).isDir());
    EXPECT_EQ(open(copy)->captions(), QStringList({"Saved again", "Two"}));
}
