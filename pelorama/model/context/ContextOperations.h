#pragma once

#include "foundation/Fatal.h"
#include "store/ManagedObjectContext.h"
#include "store/Result.h"

#include <exception>
#include <optional>
#include <type_traits>
#include <utility>

namespace pelorama::model {

template <typename T> QString entityName();

// A new object of T's entity in context, typed as T, with the insertion defaults of T's attribute table.
// A model whose entity of that name makes objects of another class is a broken contract: "Wrong object
// type".
template <typename T> T* insertObject(store::ManagedObjectContext& context)
{
    T* object = dynamic_cast<T*>(context.insertNewObject(entityName<T>()));
    if (!object)
        foundation::fatal("Wrong object type");
    object->applyInsertionDefaults();
    return object;
}

// Runs work in a new private-queue child context of context and saves the child, which pushes the work's
// changes into context as unsaved changes there. work takes the child and returns a store::Result; its
// failure, or the child's save failure, is the result, and a failing work leaves context unchanged (the
// child is not saved). Blocks the calling thread until the child's work and save are done; an exception
// that work throws passes to the caller after the child's queue is released.
template <typename Work>
auto performInChildContext(store::ManagedObjectContext& context, Work&& work)
    -> std::invoke_result_t<Work&, store::ManagedObjectContext&>
{
    using Result = std::invoke_result_t<Work&, store::ManagedObjectContext&>;
    store::ManagedObjectContext child(store::ManagedObjectContext::ConcurrencyType::privateQueue);
    child.setParentContext(&context);
    std::optional<Result> result;
    std::exception_ptr exception;
    child.performAndWait([&] {
        try {
            Result outcome = work(child);
            if (outcome) {
                if (store::Result<void> saved = child.save(); !saved)
                    outcome = store::failure(saved.error());
            }
            result.emplace(std::move(outcome));
        } catch (...) {
            exception = std::current_exception();
        }
    });
    if (exception)
        std::rethrow_exception(exception);
    return std::move(*result);
}

} // namespace pelorama::model
