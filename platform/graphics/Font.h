#pragma once

#include "graphics/FontFace.h"

#include <QFont>
#include <QMetaType>
#include <QString>
#include <optional>

namespace graphics {

// A font as documents keep it: a PostScript name and a size in points. The name resolves through the
// FontNameTable to an installed family, weight and slant; a name the table does not know draws with the
// system font, so resolution never fails.
class Font
{
public:
    // The system font at the system font size.
    Font();
    Font(const QString& postScriptName, double pointSize);

    // The font of that name, or no value when the name is not one the table knows.
    static std::optional<Font> named(const QString& postScriptName, double pointSize);
    static Font systemFont(double pointSize = systemFontSize());
    static Font boldSystemFont(double pointSize = systemFontSize());
    // The monospaced font ("Menlo-Regular").
    static Font monospacedFont(double pointSize = systemFontSize());
    static constexpr double systemFontSize() { return 13; }
    static constexpr double smallSystemFontSize() { return 11; }

    const QString& postScriptName() const { return m_name; }
    double pointSize() const { return m_size; }
    // False when the name is not in the table and the font draws as the system font.
    bool isKnown() const;
    // The face that draws the font (the system face for unknown names).
    const FontFace& face() const;
    bool isBold() const;
    bool isItalic() const { return face().italic; }

    // Variants in the same family. When the family has no face for the conversion the font comes back
    // unchanged, as a font manager answers.
    Font boldVariant() const;
    Font italicVariant() const;
    Font nonBoldVariant() const;
    Font nonItalicVariant() const;
    // The next heavier or lighter face of the family with the same slant.
    Font heavier() const;
    Font lighter() const;
    Font larger() const { return withSize(m_size + 1); }
    Font smaller() const { return withSize(m_size - 1); }
    Font withSize(double pointSize) const { return {m_name, pointSize}; }

    // The QFont of the face at this font's size in points (one point is one pixel at 72 dpi; TextLayout
    // scales it for Qt's font resolution); a size that is not positive draws at the system size.
    QFont toQFont() const;

    friend bool operator==(const Font&, const Font&) = default;

private:
    Font withFace(const FontFace* face) const;

    QString m_name;
    double m_size = systemFontSize();
};

} // namespace graphics

Q_DECLARE_METATYPE(graphics::Font)
