#include "TestLibrary.h"

#include <QUndoStack>
#include <gtest/gtest.h>

using store::FetchRequest;
using store::ManagedObject;
using store::ManagedObjectContext;

namespace {

// Sets TestBook's willSave action for the life of the guard.
class WillSaveAction
{
public:
    explicit WillSaveAction(std::function<void(TestBook&)> action)
    {
        TestBook::willSaveAction() = std::move(action);
    }
    ~WillSaveAction() { TestBook::willSaveAction() = nullptr; }
};

struct Seen
{
    QStringList pages; // the pages of the watched book at each notification
    QList<store::ObjectChanges> changes;
};

} // namespace

TEST(StoreTest, AFailedSaveTakesBackWhatWillSaveChanged)
{
    auto coordinator = inMemoryCoordinator();
    auto context = mainContext(coordinator);
    QUndoStack undo;
    context->setUndoStack(&undo);
    ManagedObject* shelf = context->insertNewObject("Shelf");
    ManagedObject* book = makeBook(*context, "Saved");
    shelf->addRelatedObject(book, "books");
    ASSERT_TRUE(context->save());
    spinEventLoop();
    book->setValueForKey(200, "pages");
    ManagedObject* untitled = makeBook(*context, ""); // validation refuses it
    spinEventLoop();
    const int undoSteps = undo.count();

    Seen seen;
    QObject::connect(book, &ManagedObject::valueChangedForKey, [&](const QString& key) {
        if (key == "pages")
            seen.pages.append(book->valueForKey("pages").toString());
    });
    QObject::connect(context.get(), &ManagedObjectContext::objectsDidChange,
                     [&](const store::ObjectChanges& changes) { seen.changes.append(changes); });
    bool insertedAuthor = false;
    WillSaveAction action([&](TestBook& saving) {
        saving.setValueForKey(999, "pages");
        saving.setRelatedObject(nullptr, "shelf");
        if (!std::exchange(insertedAuthor, true))
            context->insertNewObject("Author");
    });

    auto expectUnchanged = [&](const char* when) {
        EXPECT_EQ(book->valueForKey("pages").toInt(), 200) << when;
        EXPECT_EQ(untitled->valueForKey("pages").toInt(), 100) << when;
        EXPECT_EQ(shelf->relatedObjects("books"), QList<ManagedObject*>{book}) << when;
        EXPECT_EQ(book->relatedObject("shelf"), shelf) << when;
        EXPECT_TRUE(book->isUpdated()) << when;
        EXPECT_TRUE(untitled->isInserted()) << when;
        EXPECT_EQ(book->changedKeys(), QStringList{"pages"}) << when;
        EXPECT_FALSE(shelf->hasChanges()) << when;
        EXPECT_EQ(context->registeredObjects(), (QList<ManagedObject*>{shelf, book, untitled})) << when;
        EXPECT_EQ(undo.count(), undoSteps) << when;
        EXPECT_EQ(seen.pages.value(seen.pages.size() - 1), "200") << when; // observers end at the old value
        spinEventLoop();
        EXPECT_TRUE(seen.changes.isEmpty()) << when; // nothing announced of what was taken back
        auto fresh = mainContext(coordinator);
        auto books = fresh->execute(FetchRequest("Book"));
        ASSERT_TRUE(books);
        ASSERT_EQ(books->size(), 1) << when;
        EXPECT_EQ(books->first()->valueForKey("pages").toInt(), 100) << when;
        EXPECT_EQ(books->first()->relatedObject("shelf")->objectID(), shelf->objectID()) << when;
        EXPECT_TRUE(fresh->execute(FetchRequest("Author"))->isEmpty()) << when;
    };

    auto refused = context->save();
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code(), store::Error::Code::validation);
    EXPECT_EQ(seen.pages, QStringList({"999", "200"}));
    expectUnchanged("refused by validation");

    // Undo still steps back over the changes made before the save.
    undo.undo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 100);
    EXPECT_EQ(untitled->managedObjectContext(), context.get());
    EXPECT_TRUE(untitled->isDeleted());
    undo.redo();

    // Once the save goes through, willSave's edits go with it, in the undo step of the pass.
    untitled->setValueForKey("Titled", "title");
    insertedAuthor = false;
    context->processPendingChanges();
    seen.changes.clear();
    ASSERT_TRUE(context->save());
    EXPECT_EQ(book->valueForKey("pages").toInt(), 999);
    EXPECT_TRUE(shelf->relatedObjects("books").isEmpty());
    ASSERT_EQ(seen.changes.size(), 1);
    EXPECT_EQ(seen.changes.first().inserted.size(), 1); // the author
    auto fresh = mainContext(coordinator);
    EXPECT_EQ(fresh->execute(FetchRequest("Author"))->size(), 1);
    EXPECT_EQ(fresh->execute(FetchRequest("Book", store::Predicate::equal("pages", 999)))->size(), 2);
    EXPECT_EQ(undo.count(), undoSteps + 1);
    undo.undo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 200);
    EXPECT_EQ(book->relatedObject("shelf"), shelf);
    EXPECT_EQ(untitled->valueForKey("title").toString(), "");
}

TEST(StoreTest, ASaveTheStoreRefusesTakesBackWhatWillSaveChanged)
{
    auto coordinator = inMemoryCoordinator();
    auto context = mainContext(coordinator);
    ManagedObject* book = makeBook(*context, "Saved");
    ASSERT_TRUE(context->save());
    book->setValueForKey(200, "pages");
    WillSaveAction action([&](TestBook& saving) {
        saving.setValueForKey(999, "pages");
        context->deleteObject(&saving);
    });
    ASSERT_TRUE(coordinator->removePersistentStore(coordinator->persistentStores().first()));
    auto refused = context->save();
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code(), store::Error::Code::noStore);
    EXPECT_EQ(book->valueForKey("pages").toInt(), 200);
    EXPECT_FALSE(book->isDeleted());
    EXPECT_TRUE(book->isUpdated());
    EXPECT_EQ(context->updatedObjects(), QList<ManagedObject*>{book});
    EXPECT_TRUE(context->deletedObjects().isEmpty());
}
