#pragma once

#include "DocumentStack.h"
#include "model/entities/Screenshot.h"

#include <QStringList>

// A main-queue context over an in-memory store of the document model, as a document holds one.
struct TestContext : DocumentStack
{
    TestContext()
        : DocumentStack(inMemory())
    {}

    // Screenshots named names with orders 0, 1, 2, ... and a canvas size of 400 x 300.
    QList<pelorama::model::Screenshot*> insertScreenshots(const QStringList& names);
};

// Screenshots named names with orders 0, 1, 2, ... and a canvas size of 400 x 300, in context.
QList<pelorama::model::Screenshot*> insertScreenshots(store::ManagedObjectContext& context,
                                                      const QStringList& names);

// The names of screenshots in order.
QStringList namesOf(const QList<pelorama::model::Screenshot*>& screenshots);
// Their "order" values in order.
QList<double> ordersOf(const QList<pelorama::model::Screenshot*>& screenshots);
