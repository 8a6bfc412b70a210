#pragma once

#include "model/context/ContextOperations.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

// Making and fetching the objects of an entity class T, the same for every class: T derives from
// EntityClass<T>. A class with insertInto or fetchRequest overloads of its own brings these in with a
// using-declaration.
template <typename T> class EntityClass
{
public:
    // A new object of T's entity in context, with the insertion defaults of T's attribute table.
    static T* insertInto(store::ManagedObjectContext& context) { return insertObject<T>(context); }
    // A request for every object of T's entity.
    static store::FetchRequest fetchRequest() { return store::FetchRequest(entityName<T>()); }
};

} // namespace pelorama::model
