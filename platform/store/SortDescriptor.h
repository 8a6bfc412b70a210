#pragma once

#include <QString>

namespace store {

// Orders fetch results by the value of key; missing values come first when ascending.
struct SortDescriptor
{
    QString key;
    bool ascending = true;
};

} // namespace store
