#pragma once

#include "foundation/CodedError.h"

namespace store {

enum class ErrorCode
{
    modelInvalid,
    storeOpenFailed,
    storeSchemaMismatch,
    storeReadFailed,
    storeSaveFailed,
    validation,
    deleteDenied,
    objectNotFound,
    noStore,
};

// A recoverable failure of the store: a model that does not load, a store file that cannot be opened, a
// save that was refused (validation, deny rule, database error). The message is meant for the user.
using Error = foundation::CodedError<ErrorCode>;

} // namespace store
