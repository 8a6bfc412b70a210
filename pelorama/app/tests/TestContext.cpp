#include "TestContext.h"

#include "model/DocumentModel.h"

#include <gtest/gtest.h>

TestContext::TestContext()
    : coordinator(std::make_shared<store::PersistentStoreCoordinator>(pelorama::model::documentModel()))
    , context(std::make_unique<store::ManagedObjectContext>(
          store::ManagedObjectContext::ConcurrencyType::MainQueue))
{
    EXPECT_TRUE(coordinator->addPersistentStore(store::PersistentStore::Type::InMemory, {}).hasValue());
    context->setPersistentStoreCoordinator(coordinator);
}

QList<pelorama::model::Screenshot*> TestContext::insertScreenshots(const QStringList& names)
{
    return ::insertScreenshots(*context, names);
}

QList<pelorama::model::Screenshot*> insertScreenshots(store::ManagedObjectContext& context,
                                                      const QStringList& names)
{
    QList<pelorama::model::Screenshot*> screenshots;
    for (const QString& name : names) {
        auto* screenshot = pelorama::model::Screenshot::insertInto(context);
        screenshot->setName(name);
        screenshot->setOrder(double(screenshots.size()));
        screenshot->setSize({400, 300});
        screenshots.append(screenshot);
    }
    context.processPendingChanges();
    return screenshots;
}

QStringList namesOf(const QList<store::ManagedObject*>& screenshots)
{
    QStringList names;
    for (store::ManagedObject* object : screenshots)
        names.append(qobject_cast<pelorama::model::Screenshot*>(object)->name());
    return names;
}

QList<double> ordersOf(const QList<store::ManagedObject*>& screenshots)
{
    QList<double> orders;
    for (store::ManagedObject* object : screenshots)
        orders.append(qobject_cast<pelorama::model::Screenshot*>(object)->order());
    return orders;
}
