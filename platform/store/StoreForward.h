#pragma once

// Declarations of the store's types for headers that only name them, so that they need not include the
// full definitions.
namespace store {
class ManagedObject;
class ManagedObjectContext;
struct FetchRequest;
struct ObjectChanges;
} // namespace store
