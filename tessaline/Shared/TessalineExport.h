#pragma once

#include <QtGlobal>

#if defined(TESSALINE_LIBRARY)
#define TESSALINE_EXPORT Q_DECL_EXPORT
#else
#define TESSALINE_EXPORT Q_DECL_IMPORT
#endif
