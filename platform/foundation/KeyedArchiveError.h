#pragma once

#include <QString>

namespace foundation {

// Why a value could not be archived, or bytes could not be unarchived.
struct KeyedArchiveError
{
    QString message;
};

} // namespace foundation
