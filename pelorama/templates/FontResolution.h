#pragma once

#include "graphics/Font.h"

#include <QString>

namespace pelorama::templates {

// The font of that PostScript name at pointSize, resolved through the font table; a name the table does
// not know gives the system font at pointSize, with a warning. Templates never stop for a font.
graphics::Font resolvedFont(const QString& postScriptName, double pointSize);

} // namespace pelorama::templates
