#include "TestLibrary.h"

#include "store/EntityDescription.h"
#include "store/ManagedObjectClassRegistry.h"
#include "store/ManagedObjectModel.h"

#include <QCoreApplication>
#include <QMutex>
#include <gtest/gtest.h>

namespace {

// Hooks run on the threads of private contexts too.
QMutex eventsMutex;

void record(const QString& event)
{
    QMutexLocker lock(&eventsMutex);
    TestBook::events().append(event);
}

} // namespace

QStringList& TestBook::events()
{
    static QStringList list;
    return list;
}

void TestBook::awakeFromInsert()
{
    record("insert");
}

std::function<void(TestBook&)>& TestBook::awakeAction()
{
    static std::function<void(TestBook&)> action;
    return action;
}

void TestBook::awakeFromFetch()
{
    record("fetch " + primitiveValue("title").toString());
    if (awakeAction())
        awakeAction()(*this);
}

void TestBook::prepareForDeletion()
{
    record("delete " + primitiveValue("title").toString());
}

std::function<void(TestBook&)>& TestBook::willSaveAction()
{
    static std::function<void(TestBook&)> action;
    return action;
}

void TestBook::willSave()
{
    record("save " + primitiveValue("title").toString());
    if (willSaveAction())
        willSaveAction()(*this);
}

store::Result<void> TestBook::validateValue(const QVariant& value, const QString& key)
{
    if (key == "title" && value.toString().isEmpty())
        return store::failure(store::Error::Code::validation, "A book needs a title");
    return {};
}

QByteArray TestTagTransformer::transformedValue(const QVariant& value) const
{
    if (!value.isValid())
        return {};
    return "tag:" + value.toString().toUtf8();
}

QVariant TestTagTransformer::reverseTransformedValue(const QByteArray& bytes) const
{
    if (!bytes.startsWith("tag:"))
        return {};
    return QString::fromUtf8(bytes.mid(4));
}

std::shared_ptr<const store::ManagedObjectModel> libraryModel()
{
    static std::shared_ptr<const store::ManagedObjectModel> model = [] {
        store::ManagedObjectClassRegistry::registerClass<TestBook>("TestBook");
        store::ValueTransformer::setValueTransformer(std::make_shared<TestTagTransformer>(),
                                                     "TestTagTransformer");
        auto loaded = store::ManagedObjectModel::fromResource("Library");
        if (!loaded)
            qFatal("%s", qPrintable(loaded.error().message()));
        return *loaded;
    }();
    return model;
}

std::shared_ptr<store::PersistentStoreCoordinator> inMemoryCoordinator()
{
    auto coordinator = std::make_shared<store::PersistentStoreCoordinator>(libraryModel());
    if (!coordinator->addPersistentStore(store::PersistentStore::Type::inMemory))
        qFatal("no in-memory store");
    return coordinator;
}

std::unique_ptr<store::ManagedObjectContext>
mainContext(std::shared_ptr<store::PersistentStoreCoordinator> coordinator)
{
    auto context = std::make_unique<store::ManagedObjectContext>(
        store::ManagedObjectContext::ConcurrencyType::mainQueue);
    context->setPersistentStoreCoordinator(std::move(coordinator));
    return context;
}

store::ManagedObject* makeBook(store::ManagedObjectContext& context, const QString& title)
{
    store::ManagedObject* book = context.insertNewObject("Book");
    book->setValueForKey(title, "title");
    return book;
}

QStringList titles(const QList<store::ManagedObject*>& books)
{
    QStringList result;
    for (store::ManagedObject* book : books)
        result.append(book->valueForKey("title").toString());
    return result;
}

void spinEventLoop()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
