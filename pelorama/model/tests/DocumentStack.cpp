#include "DocumentStack.h"

#include "model/entities/DocumentModel.h"

#include <gtest/gtest.h>

namespace {

DocumentStack makeStack(store::PersistentStore::Type type, const QString& path)
{
    DocumentStack stack;
    stack.coordinator = std::make_shared<store::PersistentStoreCoordinator>(pelorama::model::documentModel());
    const auto store = stack.coordinator->addPersistentStore(type, path);
    EXPECT_TRUE(store.hasValue()) << (store ? "" : store.error().message().toStdString());
    stack.context = std::make_unique<store::ManagedObjectContext>(
        store::ManagedObjectContext::ConcurrencyType::mainQueue);
    stack.context->setPersistentStoreCoordinator(stack.coordinator);
    return stack;
}

} // namespace

DocumentStack DocumentStack::inMemory()
{
    return makeStack(store::PersistentStore::Type::inMemory, {});
}

DocumentStack DocumentStack::sqlite(const QString& path)
{
    return makeStack(store::PersistentStore::Type::sqlite, path);
}
