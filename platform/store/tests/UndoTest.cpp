#include "TestLibrary.h"

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

    QSignalSpy spy(shelf, &ManagedObject::valueChangedForKey);
    for (int step = 3; step > 0; --step) {
        undo.undo();
        EXPECT_TRUE(graphOf(*context, shelf, author, first) == states[step - 1]) << "undo to " << step - 1;
    }
    EXPECT_GT(spy.count(), 0);
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
