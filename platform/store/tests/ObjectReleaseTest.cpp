#include "TestLibrary.h"

#include <QPointer>
#include <QUndoStack>
#include <gtest/gtest.h>

using store::FetchRequest;
using store::ManagedObject;
using store::ManagedObjectContext;

TEST(StoreTest, SavedDeletionsLeaveTheContextAndTheirObjectsGoAtTheEndOfThePass)
{
    auto context = mainContext(inMemoryCoordinator());
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 100; ++i)
            makeBook(*context, QString("Book %1").arg(i));
        ASSERT_TRUE(context->save());
        const auto books = context->execute(FetchRequest("Book"));
        ASSERT_TRUE(books);
        for (ManagedObject* book : *books)
            context->deleteObject(book);
        ASSERT_TRUE(context->save());
        spinEventLoop();
        EXPECT_TRUE(context->registeredObjects().isEmpty()) << "round " << round;
    }

    ManagedObject* kept = makeBook(*context, "Kept");
    ManagedObject* gone = makeBook(*context, "Gone");
    ManagedObject* never = makeBook(*context, "Never saved");
    ASSERT_TRUE(context->save());
    context->deleteObject(gone);
    context->deleteObject(never);
    ASSERT_TRUE(context->save());
    ManagedObject* rolledBack = makeBook(*context, "Rolled back");
    const QPointer<ManagedObject> goneWatch(gone);
    const QPointer<ManagedObject> rolledBackWatch(rolledBack);
    // Still valid for whoever holds them during this pass.
    EXPECT_EQ(gone->valueForKey("title").toString(), "Gone");
    EXPECT_EQ(gone->managedObjectContext(), nullptr);
    EXPECT_EQ(context->registeredObjects(), (QList<ManagedObject*>{kept, rolledBack}));
    context->rollback();
    EXPECT_EQ(rolledBack->managedObjectContext(), nullptr);
    EXPECT_EQ(context->registeredObjects(), QList<ManagedObject*>{kept});
    spinEventLoop();
    EXPECT_TRUE(goneWatch.isNull());
    EXPECT_TRUE(rolledBackWatch.isNull());
    EXPECT_EQ(titles(*context->execute(FetchRequest("Book"))), QStringList{"Kept"});
}

TEST(StoreTest, ResetLetsGoOfItsObjectsAtTheEndOfThePass)
{
    auto coordinator = inMemoryCoordinator();
    auto context = mainContext(coordinator);
    ManagedObject* book = makeBook(*context, "Kept");
    ASSERT_TRUE(context->save());
    const store::ManagedObjectID id = book->objectID();
    for (int round = 0; round < 3; ++round) {
        const QPointer<ManagedObject> watch(context->objectWithID(id));
        ASSERT_FALSE(watch.isNull());
        context->reset();
        EXPECT_EQ(watch->managedObjectContext(), nullptr);
        EXPECT_EQ(watch->valueForKey("title").toString(), "Kept");
        EXPECT_TRUE(context->registeredObjects().isEmpty());
        spinEventLoop();
        EXPECT_TRUE(watch.isNull()) << "round " << round;
    }

    // A private-queue context lets go at the end of the performed block.
    ManagedObjectContext worker(ManagedObjectContext::ConcurrencyType::privateQueue);
    worker.setPersistentStoreCoordinator(coordinator);
    QPointer<ManagedObject> watch;
    worker.performAndWait([&] {
        watch = worker.objectWithID(id);
        worker.reset();
        EXPECT_FALSE(watch.isNull());
    });
    EXPECT_TRUE(watch.isNull());
}

TEST(StoreTest, UndoBringsBackAnObjectWhoseDeletionWasSaved)
{
    auto coordinator = inMemoryCoordinator();
    auto context = mainContext(coordinator);
    QUndoStack undo;
    ManagedObject* shelf = context->insertNewObject("Shelf");
    ManagedObject* book = makeBook(*context, "Back");
    shelf->addRelatedObject(book, "books");
    ASSERT_TRUE(context->save());
    context->setUndoStack(&undo);

    context->deleteObject(book);
    spinEventLoop();
    ASSERT_TRUE(context->save());
    EXPECT_EQ(context->registeredObjects(), QList<ManagedObject*>{shelf});
    const QPointer<ManagedObject> watch(book);
    spinEventLoop();
    ASSERT_FALSE(watch.isNull()); // the undo step holds it

    undo.undo();
    EXPECT_TRUE(book->isInserted());
    EXPECT_EQ(book->managedObjectContext(), context.get());
    EXPECT_EQ(shelf->relatedObjects("books"), QList<ManagedObject*>{book});
    EXPECT_EQ(book->relatedObject("shelf"), shelf);
    ASSERT_TRUE(context->save());
    auto fresh = mainContext(coordinator);
    ManagedObject* freshShelf = fresh->objectWithID(shelf->objectID());
    ASSERT_NE(freshShelf, nullptr);
    EXPECT_EQ(titles(freshShelf->relatedObjects("books")), QStringList{"Back"});

    // Redo deletes it again; once the undo stack is gone, nothing keeps it.
    undo.redo();
    ASSERT_TRUE(context->save());
    undo.clear();
    spinEventLoop();
    EXPECT_TRUE(watch.isNull());
    EXPECT_TRUE(fresh->execute(FetchRequest("Book"))->isEmpty());
}
