#pragma once

#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "store/ValueTransformer.h"

#include <QStringList>
#include <functional>
#include <memory>

// The small model the store's tests use: shelves hold an ordered list of books (cascade), books have
// every attribute type and unordered authors, and authors refuse deletion while they have books.
class TestBook : public store::ManagedObject
{
    Q_OBJECT

public:
    static QStringList& events(); // hook calls, "<hook> <title>"
    // Run by willSave after it records its event, while set (on the main thread only).
    static std::function<void(TestBook&)>& willSaveAction();
    // Run by awakeFromFetch after it records its event, while set (on the main thread only).
    static std::function<void(TestBook&)>& awakeAction();

protected:
    void awakeFromInsert() override;
    void awakeFromFetch() override;
    void prepareForDeletion() override;
    void willSave() override;
    store::Result<void> validateValue(const QVariant& value, const QString& key) override;
};

// Keeps a tag string as "tag:" + UTF-8; anything else reads back as missing.
class TestTagTransformer : public store::ValueTransformer
{
public:
    QByteArray transformedValue(const QVariant& value) const override;
    QVariant reverseTransformedValue(const QByteArray& bytes) const override;
};

std::shared_ptr<const store::ManagedObjectModel> libraryModel();
std::shared_ptr<store::PersistentStoreCoordinator> inMemoryCoordinator();
std::unique_ptr<store::ManagedObjectContext>
mainContext(std::shared_ptr<store::PersistentStoreCoordinator> coordinator);
store::ManagedObject* makeBook(store::ManagedObjectContext& context, const QString& title);
QStringList titles(const QList<store::ManagedObject*>& books);
// Lets queued calls (end of an event-loop pass) run.
void spinEventLoop();
