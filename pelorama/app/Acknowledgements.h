#pragma once

#include <QString>

namespace pelorama::app {

// The credits and licence notices of the artwork, libraries and fonts the program uses, in the
// framework's inline markup (headings in bold). Read once per process, from any thread.
const QString& acknowledgementsText();

} // namespace pelorama::app
