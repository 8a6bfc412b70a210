#pragma once

#include "graphics/FontFace.h"

#include <QString>
#include <vector>

namespace graphics {

// The fixed table that maps the PostScript font names documents use onto installed families: Helvetica
// Neue draws with Inter, Avenir Next with Lato, Avenir Next Condensed with Roboto Condensed, Menlo with
// DejaVu Sans Mono and the system font with Inter.
class FontNameTable
{
public:
    static const std::vector<FontFace>& faces();
    // The face of that exact (case-sensitive) name, or nullptr when the table has none.
    static const FontFace* face(const QString& postScriptName);
    static const FontFace& systemFace(int weight = 400, bool italic = false);
    // The face of family with the given slant whose weight is nearest to weight (the lighter one on a tie),
    // or nullptr when the family has no face of that slant.
    static const FontFace* nearestFace(const QString& designFamily, int weight, bool italic);
};

} // namespace graphics
