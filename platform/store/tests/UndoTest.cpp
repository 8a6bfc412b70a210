#include "TestLibrary.h"
#include "store/ScopedUndoGroup.h"

#include <QSignalSpy>
#include <QUndoStack>
#include <gtest/gtest.h>

using store::FetchRequest;
using store::ManagedObject;

namespace {

struct Graph
{
    QStringList shelfBooks;
    QStringList authorBooks;
    QStringList allBooks;
    QString firstTitle;
};

Graph graphOf(store::ManagedObjectContext& context, ManagedObject* shelf, ManagedObject* author,
              ManagedObject* first)
{
    FetchRequest request("Book");
    request.sortDescriptors = {{"title", true}};
    return Graph{titles(shelf->relatedObjects("books")), titles(author->relatedObjects("books")),
                 titles(*context.execute(request)), first->valueForKey("title").toString()};
}

bool operator==(const Graph& a, const Graph& b)
{
    return a.shelfBooks == b.shelfBooks && a.authorBooks == b.authorBooks && a.allBooks == b.allBooks &&
           a.firstTitle == b.firstTitle;
}

} // namespace

TEST(StoreTest, UndoAndRedoRestoreAMixedSequenceStepByStep)
{
    auto coordinator = inMemoryCoordinator();
    auto context = mainContext(coordinator);
    QUndoStack undo;
    ManagedObject* shelf = context->insertNewObject("Shelf");
    ManagedObject* author = context->insertNewObject("Author");
    ManagedObject* first = makeBook(*context, "First");
    shelf->addRelatedObject(first, "books");
    ASSERT_TRUE(context->save());
    context->setUndoStack(&undo);
    spinEventLoop();

    std::vector<Graph> states{graphOf(*context, shelf, author, first)};
    // Pass 1: rename and insert a related book.
    first->setValueForKey("Renamed", "title");
    ManagedObject* second = makeBook(*context, "Second");
    shelf->insertRelatedObject(second, 0, "books");
    author->addRelatedObject(second, "books");
    spinEventLoop();
    states.push_back(graphOf(*context, shelf, author, first));
    // Pass 2: delete with cascade, after a save in between.
    ASSERT_TRUE(context->save());
    context->deleteObject(shelf->relatedObjects("books").last());
    spinEventLoop();
    states.push_back(graphOf(*context, shelf, author, first));
    // Pass 3: delete a book that an author holds (nullify on both ends).
    context->deleteObject(second);
    spinEventLoop();
    states.push_back(graphOf(*context, shelf, author, first));

    ASSERT_EQ(undo.count(), 3);
    EXPECT_EQ(states[3].shelfBooks, QStringList());
    EXPECT_EQ(states[3].authorBooks, QStringList());

    // Every step changed the shelf's books, so every undo tells the shelf's observers so, and of
    // nothing else.
    QSignalSpy spy(shelf, &ManagedObject::valueChangedForKey);
    for (int step = 3; step > 0; --step) {
        spy.clear();
        undo.undo();
        EXPECT_TRUE(graphOf(*context, shelf, author, first) == states[step - 1]) << "undo to " << step - 1;
        QStringList keys;
        for (const QList<QVariant>& arguments : spy)
            keys.append(arguments.at(0).toString());
        keys.removeDuplicates();
        EXPECT_EQ(keys, QStringList{"books"}) << "undo to " << step - 1;
    }
    EXPECT_EQ(first->valueForKey("title").toString(), "First");
    EXPECT_TRUE(second->isDeleted()); // its insertion had been saved, so undoing it deletes it
    for (int step = 1; step <= 3; ++step) {
        undo.redo();
        EXPECT_TRUE(graphOf(*context, shelf, author, first) == states[step]) << "redo to " << step;
    }

    // Undo across a save, then save the undone state: the store agrees with the graph.
    undo.undo();
    undo.undo();
    ASSERT_TRUE(context->save());
    auto fresh = mainContext(coordinator);
    ManagedObject* freshShelf = fresh->objectWithID(shelf->objectID());
    ASSERT_NE(freshShelf, nullptr);
    EXPECT_EQ(titles(freshShelf->relatedObjects("books")), states[1].shelfBooks);
}

TEST(StoreTest, ChangesOfOnePassFormOneUndoStepAndRollbackClearsThem)
{
    auto context = mainContext(inMemoryCoordinator());
    QUndoStack undo;
    context->setUndoStack(&undo);
    ManagedObject* book = makeBook(*context, "A");
    book->setValueForKey(5, "pages");
    book->setValueForKey(6, "pages");
    EXPECT_EQ(undo.count(), 1);
    spinEventLoop();
    book->setValueForKey(7, "pages");
    EXPECT_EQ(undo.count(), 2);
    // A primitive store records nothing.
    spinEventLoop();
    book->setPrimitiveValue(8, "pages");
    EXPECT_EQ(undo.count(), 2);
    undo.undo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 6);
    context->rollback();
    EXPECT_EQ(undo.count(), 0);
}

TEST(StoreTest, AScopedUndoGroupMakesAGestureAcrossPassesOneUndoStep)
{
    auto context = mainContext(inMemoryCoordinator());
    QUndoStack undo;
    ManagedObject* book = makeBook(*context, "Dial");
    ASSERT_TRUE(context->save());
    context->setUndoStack(&undo);

    book->setValueForKey(1, "pages"); // before the gesture, in the same pass: a step of its own
    {
        store::ScopedUndoGroup drag(*context, "Drag");
        for (int pages = 10; pages <= 50; pages += 10) {
            book->setValueForKey(pages, "pages");
            spinEventLoop();
        }
        {
            store::ScopedUndoGroup nested(*context, "Retitle"); // nested groups join the outer one
            book->setValueForKey("Dialled", "title");
            spinEventLoop();
        }
        book->setValueForKey(60, "pages");
        spinEventLoop();
        EXPECT_EQ(undo.count(), 2);
    }
    book->setValueForKey(70, "pages"); // after the gesture: a new step
    spinEventLoop();
    ASSERT_EQ(undo.count(), 3);
    // The outer group names its step; steps of a pass have no name of their own.
    EXPECT_EQ(undo.text(0), "");
    EXPECT_EQ(undo.text(1), "Drag");
    EXPECT_EQ(undo.text(2), "");

    undo.undo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 60);
    undo.undo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 1);
    EXPECT_EQ(book->valueForKey("title").toString(), "Dial");
    undo.redo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 60);
    EXPECT_EQ(book->valueForKey("title").toString(), "Dialled");

    // A group can be let go early, moved, and outlive its context. (The first new step replaces the
    // step that was undone and not redone.)
    store::ScopedUndoGroup held(*context);
    book->setValueForKey(80, "pages");
    spinEventLoop();
    store::ScopedUndoGroup moved = std::move(held);
    EXPECT_FALSE(held.isOpen()); // NOLINT(bugprone-use-after-move): the state a move leaves is tested
    book->setValueForKey(90, "pages");
    spinEventLoop();
    EXPECT_EQ(undo.count(), 3);
    moved.close();
    EXPECT_FALSE(moved.isOpen());
    book->setValueForKey(100, "pages");
    EXPECT_EQ(undo.count(), 4);
    undo.undo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 90);
    undo.undo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 60);
    store::ScopedUndoGroup orphan(*context);
    context.reset();
    EXPECT_FALSE(orphan.isOpen());
}

TEST(StoreTest, WhatAwakeFromFetchSetsIsLoadedStateNotAnEdit)
{
    auto coordinator = inMemoryCoordinator();
    {
        auto writer = mainContext(coordinator);
        ManagedObject* shelf = writer->insertNewObject("Shelf");
        shelf->addRelatedObject(makeBook(*writer, "Fetched"), "books");
        ASSERT_TRUE(writer->save());
    }
    // Materialising a picture or a cache goes through the notifying setters, as the entities do.
    TestBook::awakeAction() = [](TestBook& book) {
        book.setValueForKey("loaded " + book.valueForKey("title").toString(), "note");
    };
    struct Restore
    {
        ~Restore() { TestBook::awakeAction() = nullptr; }
    } restore;

    auto context = mainContext(coordinator);
    QUndoStack undo;
    context->setUndoStack(&undo);
    QSignalSpy changes(context.get(), &store::ManagedObjectContext::objectsDidChange);
    // Through a relationship, and through a fetch of a second context.
    const QList<ManagedObject*> shelves = context->execute(FetchRequest("Shelf")).value();
    ASSERT_EQ(shelves.size(), 1);
    const QList<ManagedObject*> books = shelves.first()->relatedObjects("books");
    ASSERT_EQ(books.size(), 1);
    ManagedObject* book = books.first();
    auto other = mainContext(coordinator);
    QUndoStack otherUndo;
    other->setUndoStack(&otherUndo);
    const QList<ManagedObject*> fetched = other->execute(FetchRequest("Book")).value();
    ASSERT_EQ(fetched.size(), 1);
    spinEventLoop();

    for (ManagedObject* loaded : {book, fetched.first()}) {
        EXPECT_EQ(loaded->valueForKey("note").toString(), "loaded Fetched");
        EXPECT_FALSE(loaded->hasChanges());
        EXPECT_TRUE(loaded->changedKeys().isEmpty());
    }
    EXPECT_FALSE(context->hasChanges());
    EXPECT_FALSE(other->hasChanges());
    EXPECT_EQ(undo.count(), 0);
    EXPECT_EQ(otherUndo.count(), 0);
    EXPECT_EQ(changes.count(), 0);

    // Edits afterwards are recorded as ever, and going back returns to what was loaded.
    book->setValueForKey(7, "pages");
    book->setValueForKey("typed", "note");
    spinEventLoop();
    EXPECT_EQ(undo.count(), 1);
    EXPECT_TRUE(book->isUpdated());
    undo.undo();
    EXPECT_EQ(book->valueForKey("pages").toInt(), 100);
    EXPECT_EQ(book->valueForKey("note").toString(), "loaded Fetched");
    undo.redo();
    context->rollback();
    EXPECT_EQ(book->valueForKey("note").toString(), "loaded Fetched");
    EXPECT_FALSE(context->hasChanges());
}
