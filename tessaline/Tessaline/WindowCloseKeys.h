#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

class QWidget;

namespace tessaline {

// Escape and the desktop's Close keys (Ctrl+W, and whatever else the platform binds to Close) close
// window while it is the active one: for windows that have no menu of their own to close them with.
TESSALINE_WIDGETS_EXPORT void addWindowCloseKeys(QWidget& window);

} // namespace tessaline
