#include "TestStore.h"

#include "model/entities/DocumentModel.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"

#include <gtest/gtest.h>

TestStore::TestStore()
    : coordinator(std::make_shared<store::PersistentStoreCoordinator>(pelorama::model::documentModel()))
    , context(std::make_unique<store::ManagedObjectContext>(
          store::ManagedObjectContext::ConcurrencyType::mainQueue))
{
    EXPECT_TRUE(coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {}).hasValue());
    context->setPersistentStoreCoordinator(coordinator);
}

std::vector<pelorama::model::Drawable*> placedDrawables(pelorama::model::Screenshot& screenshot)
{
    std::vector<pelorama::model::Drawable*> drawables;
    for (pelorama::model::DrawableMapping* mapping : screenshot.drawableMappings())
        drawables.push_back(mapping->drawable());
    return drawables;
}
