#include "templates/FontResolution.h"

#include "foundation/Diagnostics.h"

namespace pelorama::templates {

graphics::Font resolvedFont(const QString& postScriptName, double pointSize)
{
    if (std::optional<graphics::Font> font = graphics::Font::named(postScriptName, pointSize))
        return *font;
    foundation::warning(
        QStringLiteral("No font is named \"%1\"; the caption uses the system font.").arg(postScriptName));
    return graphics::Font::systemFont(pointSize);
}

} // namespace pelorama::templates
