#pragma once

#include <QtGlobal>

// The window-system part of the framework is a shared library of its own beside the part without windows
// (tessaline/Shared, TESSALINE_WIDGETS_EXPORT), so each exports its own classes and imports the other's.
#if defined(TESSALINE_WIDGETS_LIBRARY)
#define TESSALINE_WIDGETS_EXPORT Q_DECL_EXPORT
#else
#define TESSALINE_WIDGETS_EXPORT Q_DECL_IMPORT
#endif
