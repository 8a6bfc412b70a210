#include "TestLibrary.h"
#include "store/EntityDescription.h"
#include "store/ManagedObjectModel.h"

#include <gtest/gtest.h>

using store::ManagedObjectModel;

TEST(StoreTest, ModelLoadsFromItsResourceWithResolvedInverses)
{
    auto model = libraryModel();
    const store::EntityDescription* book = model->entity("Book");
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->managedObjectClassName(), "TestBook");
    EXPECT_EQ(book->attributeNames(), QStringList({"title", "pages", "isbn", "edition", "price", "available",
                                                   "cover", "tag", "note", "subtitle"}));
    EXPECT_TRUE(book->attribute("note")->isTransient);
    EXPECT_EQ(book->attribute("tag")->valueTransformerName, "TestTagTransformer");

    const store::RelationshipDescription* books = model->entity("Shelf")->relationship("books");
    ASSERT_NE(books, nullptr);
    EXPECT_TRUE(books->isToMany && books->isOrdered);
    EXPECT_EQ(books->deleteRule, store::DeleteRule::cascade);
    EXPECT_EQ(books->destinationEntity, book);
    EXPECT_EQ(books->inverseRelationship, book->relationship("shelf"));
    EXPECT_EQ(book->relationship("shelf")->inverseRelationship, books);
}

TEST(StoreTest, ModelDeclarationsWithFaultsAreRefusedWithAMessage)
{
    EXPECT_FALSE(ManagedObjectModel::fromResource("NoSuchModel"));
    const auto expectError = [](const char* json, const QString& part) {
        auto model = ManagedObjectModel::fromJson(json);
        ASSERT_FALSE(model) << json;
        EXPECT_TRUE(model.error().message().contains(part)) << model.error().message().toStdString();
    };
    expectError("{", "invalid");
    expectError(R"({"entities": [{"name": "A", "attributes": [{"name": "x", "type": "colour"}]}]})",
                "unknown type");
    expectError(R"({"entities": [{"name": "A", "attributes": [{"name": "x", "type": "transformable"}]}]})",
                "names no value transformer");
    expectError(R"({"entities": [{"name": "A", "relationships": [{"name": "b", "destination": "B"}]}]})",
                "unknown entity");
    expectError(
        R"({"entities": [{"name": "A", "relationships": [{"name": "b", "destination": "A", "inverse": "c"}]}]})",
        "no matching inverse");
    expectError(R"({"entities": [{"name": "A"}, {"name": "A"}]})", "declared twice");
    expectError(R"({"entities": [{"name": "A", "attributes": [{"name": "x", "type": "string"},
                                                              {"name": "x", "type": "double"}]}]})",
                "twice");
    expectError(R"({"entities": [{"name": "Z_A"}]})", "invalid name");
}

TEST(StoreTest, ObjectIDsRoundTripThroughTheirURIForm)
{
    auto coordinator = inMemoryCoordinator();
    auto context = mainContext(coordinator);
    store::ManagedObject* book = makeBook(*context, "Dune");
    const store::ManagedObjectID temporary = book->objectID();
    EXPECT_TRUE(temporary.isTemporaryID());
    const QUrl temporaryURI = temporary.uriRepresentation();
    EXPECT_EQ(temporaryURI.scheme(), "x-store");
    EXPECT_EQ(coordinator->managedObjectIDForURIRepresentation(temporaryURI), temporary);
    EXPECT_EQ(context->objectWithID(temporary), book);

    ASSERT_TRUE(context->save());
    EXPECT_FALSE(temporary.isTemporaryID()); // every copy of the ID is permanent now
    const QUrl permanentURI = book->objectID().uriRepresentation();
    EXPECT_NE(permanentURI, temporaryURI);
    auto resolved = coordinator->managedObjectIDForURIRepresentation(permanentURI);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(*resolved, book->objectID());

    // A fresh context resolves the URI to its own object for the same row.
    auto other = mainContext(coordinator);
    store::ManagedObject* copy = other->objectWithID(*resolved);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, book);
    EXPECT_EQ(copy->valueForKey("title").toString(), "Dune");
    ASSERT_TRUE(other->existingObject(*resolved));

    // URIs that name nothing.
    EXPECT_FALSE(coordinator->managedObjectIDForURIRepresentation(QUrl("https://example.com/Book/p1")));
    EXPECT_FALSE(coordinator->managedObjectIDForURIRepresentation(QUrl("x-store:///Book/tnot-a-uuid")));
    EXPECT_FALSE(coordinator->managedObjectIDForURIRepresentation(QUrl("x-store:///Nothing/p1")));
    QUrl unknownStore = permanentURI;
    unknownStore.setHost("00000000-0000-0000-0000-000000000001");
    EXPECT_FALSE(coordinator->managedObjectIDForURIRepresentation(unknownStore));
    QUrl missingRow = permanentURI;
    missingRow.setPath("/Book/p999");
    auto missing = coordinator->managedObjectIDForURIRepresentation(missingRow);
    ASSERT_TRUE(missing);
    EXPECT_EQ(other->objectWithID(*missing), nullptr);
    EXPECT_FALSE(other->existingObject(*missing));
}
