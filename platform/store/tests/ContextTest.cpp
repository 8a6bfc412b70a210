#include "TestLibrary.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueObservation.h"
#include "store/EntityDescription.h"
#include "store/SerialExecutor.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>
#include <QUndoStack>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

using store::FetchRequest;
using store::ManagedObject;
using store::ManagedObjectContext;
using store::Predicate;

namespace {

QList<ManagedObject*> fetch(ManagedObjectContext& context, const FetchRequest& request)
{
    auto result = context.execute(request);
    if (!result)
        ADD_FAILURE() << result.error().message().toStdString();
    return result ? *result : QList<ManagedObject*>();
}

// The titles fetchValues reads, sorted.
QStringList fetchedTitles(ManagedObjectContext& context, const FetchRequest& request)
{
    auto values = context.fetchValues(request, "title");
    if (!values)
        ADD_FAILURE() << values.error().message().toStdString();
    QStringList result;
    for (const QVariant& value : values ? *values : QList<QVariant>())
        result.append(value.toString());
    result.sort();
    return result;
}

FetchRequest byTitle()
{
    FetchRequest request("Book");
    request.sortDescriptors = {{"title", true}};
    return request;
}

} // namespace

TEST(StoreTest, InsertedObjectsHaveDefaultsAndAreFoundByPredicateAndSorted)
{
    auto context = mainContext(inMemoryCoordinator());
    for (const char* title : {"Emma", "Beloved", "Dune"})
        makeBook(*context, title);
    ManagedObject* shelf = context->insertNewObject("Shelf");
    EXPECT_EQ(shelf->valueForKey("name").toString(), "Shelf");
    EXPECT_EQ(context->insertedObjects().size(), 4);

    EXPECT_EQ(titles(fetch(*context, byTitle())), QStringList({"Beloved", "Dune", "Emma"}));
    auto dune = fetch(*context, FetchRequest("Book", Predicate::equal("title", "Dune")));
    ASSERT_EQ(dune.size(), 1);
    EXPECT_EQ(dune.first()->valueForKey("pages"), QVariant(qlonglong(100)));
    // Numbers match across integer and floating types.
    EXPECT_EQ(fetch(*context, FetchRequest("Book", Predicate::equal("pages", 100.0))).size(), 3);

    ASSERT_TRUE(context->save());
    EXPECT_FALSE(context->hasChanges());
    FetchRequest descending = byTitle();
    descending.sortDescriptors = {{"title", false}};
    descending.fetchLimit = 2;
    EXPECT_EQ(titles(fetch(*context, descending)), QStringList({"Emma", "Dune"}));
    EXPECT_FALSE(context->execute(FetchRequest("Book", Predicate::equal("colour", 1))));
    EXPECT_FALSE(context->execute(FetchRequest("Nothing")));
}

TEST(StoreTest, OrderedRelationshipsKeepOrderAndInverses)
{
    auto coordinator = inMemoryCoordinator();
    auto context = mainContext(coordinator);
    ManagedObject* left = context->insertNewObject("Shelf");
    ManagedObject* right = context->insertNewObject("Shelf");
    ManagedObject* a = makeBook(*context, "A");
    ManagedObject* b = makeBook(*context, "B");
    ManagedObject* c = makeBook(*context, "C");

    // Setting the to-one end appends to the ordered to-many end.
    a->setRelatedObject(left, "shelf");
    c->setRelatedObject(left, "shelf");
    left->insertRelatedObject(b, 1, "books");
    EXPECT_EQ(titles(left->relatedObjects("books")), QStringList({"A", "B", "C"}));
    EXPECT_EQ(b->relatedObject("shelf"), left);

    // Moving a book to another shelf removes it from the first.
    right->addRelatedObject(b, "books");
    EXPECT_EQ(titles(left->relatedObjects("books")), QStringList({"A", "C"}));
    EXPECT_EQ(b->relatedObject("shelf"), right);

    // Reordering within the set, and replacing the whole set.
    left->insertRelatedObject(c, 0, "books");
    EXPECT_EQ(titles(left->relatedObjects("books")), QStringList({"C", "A"}));
    left->setValueForKey(QVariant::fromValue(QList<ManagedObject*>{b, a}), "books");
    EXPECT_EQ(titles(left->relatedObjects("books")), QStringList({"B", "A"}));
    EXPECT_EQ(c->relatedObject("shelf"), nullptr);
    EXPECT_TRUE(right->relatedObjects("books").isEmpty());

    // Many-to-many keeps both ends.
    ManagedObject* author = context->insertNewObject("Author");
    author->addRelatedObject(a, "books");
    b->addRelatedObject(author, "authors");
    EXPECT_EQ(titles(author->relatedObjects("books")), QStringList({"A", "B"}));
    EXPECT_EQ(a->relatedObjects("authors"), QList<ManagedObject*>{author});
    a->removeRelatedObject(author, "authors");
    EXPECT_EQ(titles(author->relatedObjects("books")), QStringList({"B"}));

    // The order survives a save and a fresh context.
    ASSERT_TRUE(context->save());
    auto fresh = mainContext(coordinator);
    ManagedObject* freshLeft = fresh->objectWithID(left->objectID());
    ASSERT_NE(freshLeft, nullptr);
    EXPECT_EQ(titles(freshLeft->relatedObjects("books")), QStringList({"B", "A"}));
    EXPECT_EQ(freshLeft->relatedObjects("books").first()->relatedObject("shelf"), freshLeft);
}

TEST(StoreTest, RelationshipChangesNotifyBothEnds)
{
    auto context = mainContext(inMemoryCoordinator());
    ManagedObject* shelf = context->insertNewObject("Shelf");
    ManagedObject* book = makeBook(*context, "A");
    QSignalSpy shelfSpy(shelf, &ManagedObject::valueChangedForKey);
    QSignalSpy bookSpy(book, &ManagedObject::valueChangedForKey);
    book->setRelatedObject(shelf, "shelf");
    ASSERT_EQ(shelfSpy.count(), 1);
    EXPECT_EQ(shelfSpy.at(0).at(0).toString(), "books");
    ASSERT_EQ(bookSpy.count(), 1);
    EXPECT_EQ(bookSpy.at(0).at(0).toString(), "shelf");
    // Every store notifies, also an unchanged one; primitive stores do not.
    book->setValueForKey("A", "title");
    EXPECT_EQ(bookSpy.count(), 2);
    book->setPrimitiveValue("B", "title");
    EXPECT_EQ(bookSpy.count(), 2);
}

TEST(StoreTest, DeletionRunsHooksCascadesNullifiesAndDenies)
{
    auto coordinator = inMemoryCoordinator();
    auto context = mainContext(coordinator);
    ManagedObject* shelf = context->insertNewObject("Shelf");
    ManagedObject* a = makeBook(*context, "A");
    ManagedObject* b = makeBook(*context, "B");
    shelf->setRelatedObjects({a, b}, "books");
    ManagedObject* author = context->insertNewObject("Author");
    author->addRelatedObject(a, "books");
    ASSERT_TRUE(context->save());
    TestBook::events().clear();

    // Cascade from the shelf deletes its books, whose nullify rule frees the author.
    context->deleteObject(shelf);
    EXPECT_TRUE(shelf->isDeleted() && a->isDeleted() && b->isDeleted());
    EXPECT_EQ(TestBook::events(), QStringList({"delete A", "delete B"}));
    EXPECT_TRUE(author->relatedObjects("books").isEmpty());
    EXPECT_TRUE(fetch(*context, byTitle()).isEmpty());
    EXPECT_EQ(context->deletedObjects().size(), 3);
    ASSERT_TRUE(context->save());
    EXPECT_EQ(shelf->managedObjectContext(), nullptr);
    EXPECT_FALSE(shelf->isDeleted());

    EXPECT_TRUE(fetch(*context, FetchRequest("Book")).isEmpty());
    EXPECT_EQ(fetch(*context, FetchRequest("Author")).size(), 1);

    // Deny: an author with books cannot be deleted; the save says why and saves nothing.
    ManagedObject* c = makeBook(*context, "C");
    author->addRelatedObject(c, "books");
    ASSERT_TRUE(context->save());
    context->deleteObject(author);
    c->setValueForKey("Renamed", "title"); // refused along with the deletion
    auto refused = context->save();
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code(), store::Error::Code::deleteDenied);
    EXPECT_TRUE(author->isDeleted());
    auto fresh = mainContext(coordinator);
    const auto authors = fetch(*fresh, FetchRequest("Author"));
    ASSERT_EQ(authors.size(), 1);
    EXPECT_EQ(titles(authors.first()->relatedObjects("books")), QStringList{"C"});
}

TEST(StoreTest, SaveRunsWillSaveAndRefusesInvalidValuesWithTheirMessage)
{
    auto context = mainContext(inMemoryCoordinator());
    ManagedObject* book = makeBook(*context, "");
    auto refused = context->save();
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message(), "A book needs a title");
    EXPECT_TRUE(book->isInserted());

    book->setValueForKey("Persuasion", "title");
    book->setValueForKey(70000, "edition"); // does not fit 16 bits
    refused = context->save();
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().message().contains("edition"));
    book->setValueForKey(2, "edition");
    book->setValueForKey("many", "pages");
    EXPECT_FALSE(context->save());
    book->setValueForKey(300, "pages");

    TestBook::events().clear();
    ASSERT_TRUE(context->save());
    EXPECT_TRUE(TestBook::events().contains("save Persuasion"));
    EXPECT_FALSE(book->isInserted());
}

TEST(StoreTest, FetchesIncludePendingChangesOnlyWhenAsked)
{
    auto context = mainContext(inMemoryCoordinator());
    ManagedObject* saved = makeBook(*context, "Saved");
    ManagedObject* doomed = makeBook(*context, "Doomed");
    ASSERT_TRUE(context->save());

    makeBook(*context, "Unsaved");
    context->deleteObject(doomed);
    saved->setValueForKey("Renamed", "title");

    EXPECT_EQ(titles(fetch(*context, byTitle())), QStringList({"Renamed", "Unsaved"}));
    EXPECT_EQ(fetchedTitles(*context, byTitle()), QStringList({"Renamed", "Unsaved"}));
    EXPECT_EQ(fetch(*context, FetchRequest("Book", Predicate::equal("title", "Renamed"))).size(), 1);
    EXPECT_TRUE(fetch(*context, FetchRequest("Book", Predicate::equal("title", "Saved"))).isEmpty());

    FetchRequest stored = byTitle();
    stored.includesPendingChanges = false;
    const auto storedBooks = fetch(*context, stored);
    EXPECT_EQ(storedBooks.size(), 2); // the saved rows, including the unsaved deletion
    EXPECT_TRUE(storedBooks.contains(doomed));
    // Values are read as the objects found hold them.
    EXPECT_EQ(fetchedTitles(*context, stored), QStringList({"Doomed", "Renamed"}));
    stored.predicate = Predicate::equal("title", "Saved");
    EXPECT_EQ(fetch(*context, stored), QList<ManagedObject*>{saved});
}

TEST(StoreTest, ChangeNotificationsListInsertedUpdatedAndDeletedObjectsOncePerPass)
{
    auto context = mainContext(inMemoryCoordinator());
    ManagedObject* kept = makeBook(*context, "Kept");
    ManagedObject* gone = makeBook(*context, "Gone");
    ASSERT_TRUE(context->save());
    spinEventLoop();

    QList<store::ObjectChanges> seen;
    QObject::connect(context.get(), &ManagedObjectContext::objectsDidChange,
                     [&](const store::ObjectChanges& changes) { seen.append(changes); });
    ManagedObject* added = makeBook(*context, "Added");
    kept->setValueForKey(7, "pages");
    context->deleteObject(gone);
    EXPECT_TRUE(seen.isEmpty());
    spinEventLoop();
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].inserted, QList<ManagedObject*>{added});
    EXPECT_EQ(seen[0].updated, QList<ManagedObject*>{kept});
    EXPECT_EQ(seen[0].deleted, QList<ManagedObject*>{gone});

    // An object inserted in an earlier pass is updated when it changes, before it is ever saved.
    added->setValueForKey(3, "pages");
    spinEventLoop();
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[1].inserted.isEmpty());
    EXPECT_EQ(seen[1].updated, QList<ManagedObject*>{added});
    seen.removeLast();

    // processPendingChanges tells at once.
    kept->setValueForKey(8, "pages");
    context->processPendingChanges();
    EXPECT_EQ(seen.size(), 2);
    spinEventLoop();
    EXPECT_EQ(seen.size(), 2);

    // Storing the value an object holds is no change: observers of the key hear of it, but nothing is
    // to save, to undo or to tell.
    ASSERT_TRUE(context->save());
    QUndoStack undo;
    context->setUndoStack(&undo);
    QSignalSpy keySpy(kept, &ManagedObject::valueChangedForKey);
    kept->setValueForKey(8, "pages");
    kept->setPrimitiveValue("Kept", "title");
    kept->setRelatedObject(nullptr, "shelf");
    spinEventLoop();
    EXPECT_EQ(keySpy.count(), 2);
    EXPECT_FALSE(context->hasChanges());
    EXPECT_EQ(undo.count(), 0);
    EXPECT_EQ(seen.size(), 2);

    // A save writes what changed, not every object the context holds.
    QList<store::ObjectChanges> saved;
    QObject::connect(context.get(), &ManagedObjectContext::didSave,
                     [&](const store::ObjectChanges& changes) { saved.append(changes); });
    for (ManagedObject* book : {kept, added})
        book->setValueForKey(book->valueForKey("title"), "title");
    added->setValueForKey(9, "pages");
    ASSERT_TRUE(context->save());
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved[0].inserted.isEmpty());
    EXPECT_EQ(saved[0].updated, QList<ManagedObject*>{added});
}

TEST(StoreTest, RollbackRestoresSavedValuesAndResetForgetsObjects)
{
    auto context = mainContext(inMemoryCoordinator());
    ManagedObject* book = makeBook(*context, "Original");
    ManagedObject* other = makeBook(*context, "Other");
    ASSERT_TRUE(context->save());

    book->setValueForKey("Changed", "title");
    context->deleteObject(other);
    ManagedObject* added = makeBook(*context, "Added");
    QSignalSpy spy(book, &ManagedObject::valueChangedForKey);
    context->rollback();
    EXPECT_EQ(book->valueForKey("title").toString(), "Original");
    EXPECT_EQ(spy.count(), 1);
    EXPECT_FALSE(other->isDeleted());
    EXPECT_EQ(added->managedObjectContext(), nullptr);
    EXPECT_FALSE(context->hasChanges());
    EXPECT_EQ(titles(fetch(*context, byTitle())), QStringList({"Original", "Other"}));

    const store::ManagedObjectID id = book->objectID();
    context->reset();
    EXPECT_EQ(book->managedObjectContext(), nullptr);
    ManagedObject* again = context->objectWithID(id);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, book);
    EXPECT_EQ(again->valueForKey("title").toString(), "Original");
}

TEST(StoreTest, DetachedCopiesHoldTheValuesAndBelongToNoContextOrThread)
{
    auto context = mainContext(inMemoryCoordinator());
    ManagedObject* shelf = context->insertNewObject("Shelf");
    ManagedObject* book = makeBook(*context, "Original");
    book->setRelatedObject(shelf, "shelf");
    ASSERT_TRUE(context->save());

    const std::unique_ptr<ManagedObject> copy = book->detachedCopy();
    EXPECT_NE(dynamic_cast<TestBook*>(copy.get()), nullptr);
    EXPECT_EQ(copy->objectID(), book->objectID());
    EXPECT_EQ(copy->managedObjectContext(), nullptr);
    EXPECT_EQ(copy->thread(), nullptr);
    EXPECT_EQ(copy->valueForKey("title").toString(), "Original");
    EXPECT_EQ(copy->relatedObject("shelf"), nullptr);

    // The copy is read and changed on another thread while the context goes on; neither sees the other.
    std::thread reader([&copy] {
        EXPECT_EQ(copy->valueForKey("title").toString(), "Original");
        copy->setValueForKey("Copy", "title");
    });
    book->setValueForKey("Changed", "title");
    reader.join();
    EXPECT_EQ(copy->valueForKey("title").toString(), "Copy");
    EXPECT_EQ(book->valueForKey("title").toString(), "Changed");
    EXPECT_EQ(context->updatedObjects(), QList<ManagedObject*>{book});
}

TEST(StoreTest, ChildContextSavesIntoItsParentWhichStaysUnsaved)
{
    auto coordinator = inMemoryCoordinator();
    auto parent = mainContext(coordinator);
    ManagedObject* shelf = parent->insertNewObject("Shelf");
    ManagedObject* first = makeBook(*parent, "First");
    shelf->addRelatedObject(first, "books");
    ASSERT_TRUE(parent->save());
    ManagedObject* pending = makeBook(*parent, "Pending"); // unsaved in the parent
    spinEventLoop();

    ManagedObjectContext child(ManagedObjectContext::ConcurrencyType::privateQueue);
    child.setParentContext(parent.get());
    EXPECT_EQ(child.persistentStoreCoordinator(), coordinator.get());

    store::ManagedObjectID addedID;
    QList<store::ObjectChanges> parentChanges;
    QObject::connect(parent.get(), &ManagedObjectContext::objectsDidChange,
                     [&](const store::ObjectChanges& changes) { parentChanges.append(changes); });
    child.performAndWait([&] {
        // The child sees the parent's unsaved state.
        auto books = child.execute(byTitle());
        ASSERT_TRUE(books);
        EXPECT_EQ(titles(*books), QStringList({"First", "Pending"}));
        EXPECT_EQ(fetchedTitles(child, FetchRequest("Book", Predicate::equal("title", "Pending"))),
                  QStringList{"Pending"});

        ManagedObject* childShelf = child.objectWithID(shelf->objectID());
        ManagedObject* added = makeBook(child, "Added");
        added->setValueForKey("carried", "note"); // transient
        childShelf->insertRelatedObject(added, 0, "books");
        addedID = added->objectID();
        ASSERT_TRUE(child.save());
    });

    ManagedObject* added = parent->objectWithID(addedID);
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(added->isInserted());
    EXPECT_EQ(added->valueForKey("note").toString(), "carried");
    EXPECT_EQ(titles(shelf->relatedObjects("books")), QStringList({"Added", "First"}));
    EXPECT_EQ(added->relatedObject("shelf"), shelf);
    EXPECT_TRUE(parent->hasChanges());
    EXPECT_TRUE(pending->isInserted());
    ASSERT_FALSE(parentChanges.isEmpty());
    EXPECT_TRUE(parentChanges.last().inserted.contains(added));

    // Nothing reached the store yet.
    auto fresh = mainContext(coordinator);
    EXPECT_EQ(titles(fetch(*fresh, byTitle())), QStringList({"First"}));
    ASSERT_TRUE(parent->save());
    EXPECT_EQ(titles(fetch(*fresh, byTitle())), QStringList({"Added", "First", "Pending"}));
    EXPECT_FALSE(addedID.isTemporaryID());
}

TEST(StoreTest, ChildWorkThatFailsLeavesTheParentUnchanged)
{
    auto parent = mainContext(inMemoryCoordinator());
    ManagedObject* book = makeBook(*parent, "Kept");
    ASSERT_TRUE(parent->save());
    ManagedObjectContext child(ManagedObjectContext::ConcurrencyType::privateQueue);
    child.setParentContext(parent.get());
    child.performAndWait([&] {
        makeBook(child, ""); // invalid: the save is refused
        child.objectWithID(book->objectID())->setValueForKey("Changed", "title");
        EXPECT_FALSE(child.save());
    });
    EXPECT_FALSE(parent->hasChanges());
    EXPECT_EQ(book->valueForKey("title").toString(), "Kept");

    // Deleting in a child deletes in the parent.
    child.performAndWait([&] {
        child.reset();
        child.deleteObject(child.objectWithID(book->objectID()));
        ASSERT_TRUE(child.save());
    });
    EXPECT_TRUE(book->isDeleted());
}

TEST(StoreTest, PrivateContextsWorkOnTheirOwnQueues)
{
    auto coordinator = inMemoryCoordinator();
    constexpr int contexts = 4;
    constexpr int booksPerContext = 50;
    std::vector<std::unique_ptr<ManagedObjectContext>> workers;
    std::atomic<int> saved{0};
    for (int i = 0; i < contexts; ++i) {
        workers.push_back(
            std::make_unique<ManagedObjectContext>(ManagedObjectContext::ConcurrencyType::privateQueue));
        ManagedObjectContext* context = workers.back().get();
        context->setPersistentStoreCoordinator(coordinator);
        context->perform([context, i, &saved] {
            for (int n = 0; n < booksPerContext; ++n) {
                ManagedObject* book = makeBook(*context, QString("Book %1-%2").arg(i).arg(n));
                // Re-entrant: performAndWait from inside the context's own queue runs at once.
                context->performAndWait([&] { book->setValueForKey(n, "pages"); });
            }
            if (context->save())
                ++saved;
        });
    }
    // A private child of a private parent, used from this thread while the others run.
    ManagedObjectContext child(ManagedObjectContext::ConcurrencyType::privateQueue);
    child.setParentContext(workers.front().get());
    child.performAndWait([&] {
        makeBook(child, "From the child");
        EXPECT_TRUE(child.save());
    });
    for (auto& worker : workers)
        worker->performAndWait([] {});
    EXPECT_EQ(saved.load(), contexts);

    workers.front()->performAndWait([&] { EXPECT_TRUE(workers.front()->save()); });
    auto reader = mainContext(coordinator);
    EXPECT_EQ(fetch(*reader, FetchRequest("Book")).size(), contexts * booksPerContext + 1);
    EXPECT_EQ(fetch(*reader, FetchRequest("Book", Predicate::equal("pages", 49))).size(), contexts);
}

TEST(StoreTest, AnExceptionOfAWaitedBlockReachesTheCallerAndTheQueueGoesOn)
{
    {
        store::SerialExecutor executor;
        EXPECT_THROW(executor.sync([] { throw std::runtime_error("refused"); }), std::runtime_error);
        EXPECT_FALSE(executor.isCurrent());
        std::atomic<int> ran{0};
        executor.async([&] { ++ran; });
        executor.sync([&] { ++ran; });
        EXPECT_EQ(ran.load(), 2);
    } // the worker stops: it is not left waiting for the failed block

    auto coordinator = inMemoryCoordinator();
    ManagedObjectContext worker(ManagedObjectContext::ConcurrencyType::privateQueue);
    worker.setPersistentStoreCoordinator(coordinator);
    EXPECT_THROW(worker.performAndWait([&] {
        makeBook(worker, "Thrown");
        throw std::runtime_error("refused");
    }),
                 std::runtime_error);
    QList<store::ObjectChanges> told;
    QObject::connect(
        &worker, &ManagedObjectContext::objectsDidChange, &worker,
        [&](const store::ObjectChanges& changes) { told.append(changes); }, Qt::DirectConnection);
    // The context's queue still ends its passes: the next block tells of both books.
    worker.performAndWait([&] { makeBook(worker, "After"); });
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(titles(told.first().inserted), QStringList({"Thrown", "After"}));

    // A main-queue context hands the exception back to the waiting thread.
    auto context = mainContext(coordinator);
    std::atomic<bool> done{false};
    bool caught = false;
    std::thread waiter([&] {
        try {
            context->performAndWait([] { throw std::runtime_error("refused"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    waiter.join();
    EXPECT_TRUE(caught);
}

TEST(StoreTest, MainQueueContextServesWorkerThreadsThroughItsEventLoop)
{
    auto context = mainContext(inMemoryCoordinator());
    makeBook(*context, "Main");
    std::atomic<bool> done{false};
    QString seenTitle;
    std::thread worker([&] {
        context->performAndWait(
            [&] { seenTitle = titles(*context->execute(FetchRequest("Book"))).join(","); });
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(seenTitle, "Main");
}

TEST(StoreTest, ManagedObjectsServeKeyValueCodingAndObserving)
{
    auto context = mainContext(inMemoryCoordinator());
    ManagedObject* shelf = context->insertNewObject("Shelf");
    ManagedObject* other = context->insertNewObject("Shelf");
    other->setValueForKey("Other", "name");
    ManagedObject* book = makeBook(*context, "A");
    foundation::setValueForKey(book, QVariant::fromValue(shelf), "shelf");
    EXPECT_EQ(shelf->relatedObjects("books"), QList<ManagedObject*>{book});
    EXPECT_EQ(foundation::valueForKeyPath(book, "shelf.name").toString(), "Shelf");

    QStringList seen;
    foundation::KeyValueObservation observation(
        book, "shelf.name", foundation::KeyValueObservation::InitialValue::skip,
        [&](const QVariant& value) { seen.append(value.toString()); });
    shelf->setValueForKey("Renamed", "name");
    book->setRelatedObject(other, "shelf");
    EXPECT_EQ(seen, QStringList({"Renamed", "Other"}));

    // Nil through key-value coding clears the value.
    foundation::setValueForKey(book, foundation::valueForKey(book, "isbn"), "title");
    EXPECT_FALSE(book->valueForKey("title").isValid());
    foundation::setValueForKey(book, QVariant(), "shelf");
    EXPECT_EQ(book->relatedObject("shelf"), nullptr);
    EXPECT_TRUE(other->relatedObjects("books").isEmpty());
}
