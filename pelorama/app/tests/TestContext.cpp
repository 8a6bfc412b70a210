#include "TestContext.h"

#include "model/entities/DocumentModel.h"

#include <gtest/gtest.h>

TestContext::TestContext()
    : coordinator(std::make_shared<store::PersistentStoreCoordinator>(pelorama::model::documentModel()))
    , context(std::make_unique<store::ManagedObjectContext>(
          store::ManagedObjectContext::ConcurrencyType::mainQueue))
{
    EXPECT_TRUE(coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {}).hasValue());
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

QStringList namesOf(const QList<pelorama::model::Screenshot*>& screenshots)
{
    QStringList names;
    for (pelorama::model::Screenshot* screenshot : screenshots)
        names.append(screenshot->name());
    return names;
}

QList<double> ordersOf(const QList<pelorama::model::Screenshot*>& screenshots)
{
    QList<double> orders;
    for (pelorama::model::Screenshot* screenshot : screenshots)
        orders.append(screenshot->order());
    return orders;
}
