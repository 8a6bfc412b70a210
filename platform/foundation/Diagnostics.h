#pragma once

#include <QString>

namespace foundation {

// Diagnostics are single lines on standard output; there are no levels and no log file.
void warning(const QString& message); // "Warning: <message>"
void note(const QString& message);    // "Note: <message>"

} // namespace foundation
