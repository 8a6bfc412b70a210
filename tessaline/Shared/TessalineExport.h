#pragma once

#include <QtGlobal>

// Exports of the part of the framework that needs no window system (libtessalinecore); the window-system
// part has its own (TessalineWidgetsExport.h).
#if defined(TESSALINE_LIBRARY)
#define TESSALINE_EXPORT Q_DECL_EXPORT
#else
#define TESSALINE_EXPORT Q_DECL_IMPORT
#endif
