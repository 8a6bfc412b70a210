#pragma once

#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <memory>
#include <vector>

namespace pelorama::model {
class Drawable;
class Screenshot;
} // namespace pelorama::model

// A main-queue context over an in-memory store of the document model, as a document holds one.
struct TestStore
{
    TestStore();

    std::shared_ptr<store::PersistentStoreCoordinator> coordinator;
    std::unique_ptr<store::ManagedObjectContext> context;
};

// The drawables placed on screenshot, in drawing order (the screenshot itself left out).
std::vector<pelorama::model::Drawable*> placedDrawables(pelorama::model::Screenshot& screenshot);
