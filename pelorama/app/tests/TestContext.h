#pragma once

#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QStringList>
#include <memory>

// A main-queue context over an in-memory store of the document model, as a document holds one.
struct TestContext
{
    TestContext();

    // Screenshots named names with orders 0, 1, 2, ... and a canvas size of 400 x 300.
    QList<pelorama::model::Screenshot*> insertScreenshots(const QStringList& names);

    std::shared_ptr<store::PersistentStoreCoordinator> coordinator;
    std::unique_ptr<store::ManagedObjectContext> context;
};

// Screenshots named names with orders 0, 1, 2, ... and a canvas size of 400 x 300, in context.
QList<pelorama::model::Screenshot*> insertScreenshots(store::ManagedObjectContext& context,
                                                      const QStringList& names);

// The names of screenshots in order.
QStringList namesOf(const QList<pelorama::model::Screenshot*>& screenshots);
// Their "order" values in order.
QList<double> ordersOf(const QList<pelorama::model::Screenshot*>& screenshots);
