#pragma once

#include "store/Error.h"

#include <QString>

namespace pelorama::model {

// A value an entity refuses, with the message the user sees ("The name of the screenshot must be
// unique"). Validation reaches the store as a store::Error of code Validation with the same message.
struct ValidationError
{
    QString message;

    QString localizedDescription() const { return message; }
    store::Error storeError() const { return store::Error(store::Error::Code::validation, message); }
};

} // namespace pelorama::model
