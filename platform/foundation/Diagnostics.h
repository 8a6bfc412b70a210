#pragma once

#include <QString>

namespace foundation {

// Diagnostics are single lines on standard output; there are no levels and no log file.
void warning(const QString& message); // "Warning: <message>"
void note(const QString& message);    // "Note: <message>"
// A line that names its own subject ("Error fetching asset: ...", "Reduction: ..."), printed as it is.
void printLine(const QString& line);

} // namespace foundation
