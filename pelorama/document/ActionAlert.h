#pragma once

#include <QString>

namespace pelorama::document {

// What an action has to tell the user: an informational alert with one button "OK".
struct ActionAlert
{
    QString messageText;
    QString informativeText;

    friend bool operator==(const ActionAlert&, const ActionAlert&) = default;
};

} // namespace pelorama::document
