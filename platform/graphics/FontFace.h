#pragma once

#include <QString>

namespace graphics {

// One face of the font-name table: a PostScript name as documents keep it, the installed family that
// draws it, and its weight (100 thin ... 900 black, as QFont::Weight), slant and width.
struct FontFace
{
    QString postScriptName;
    // The design family the face belongs to (its bold, italic and weight siblings share it).
    QString designFamily;
    QString installedFamily;
    int weight = 400;
    bool italic = false;
    bool condensed = false;
};

} // namespace graphics
