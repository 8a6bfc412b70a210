#pragma once

#include <QString>

namespace foundation {

// Why bytes could not be read as a property list, or a value could not be written as one.
struct PropertyListError
{
    QString message;
};

} // namespace foundation
