#pragma once

#include <QString>

namespace pelorama::document {

// One screenshot an export could not write: the file it was to be (or the screenshot's name, when that
// makes no file name) and why.
struct ExportFailure
{
    QString fileName;
    QString reason;

    friend bool operator==(const ExportFailure&, const ExportFailure&) = default;
};

} // namespace pelorama::document
