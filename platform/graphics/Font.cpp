#include "graphics/Font.h"

#include "graphics/FontNameTable.h"

#include <cmath>

namespace graphics {
namespace {

constexpr int boldWeight = 700;
constexpr int regularWeight = 400;
// Faces from this weight up count as bold.
constexpr int boldThreshold = 600;

} // namespace

Font::Font()
    : m_name(FontNameTable::systemFace().postScriptName)
{}

Font::Font(const QString& postScriptName, double pointSize)
    : m_name(postScriptName)
    , m_size(pointSize)
{}

std::optional<Font> Font::named(const QString& postScriptName, double pointSize)
{
    if (!FontNameTable::face(postScriptName)) {
        return std::nullopt;
    }
    return Font(postScriptName, pointSize);
}

Font Font::systemFont(double pointSize)
{
    return {FontNameTable::systemFace().postScriptName, pointSize};
}

Font Font::boldSystemFont(double pointSize)
{
    return {FontNameTable::systemFace(boldWeight).postScriptName, pointSize};
}

Font Font::monospacedFont(double pointSize)
{
    return {QStringLiteral("Menlo-Regular"), pointSize};
}

bool Font::isKnown() const
{
    return FontNameTable::face(m_name) != nullptr;
}

const FontFace& Font::face() const
{
    const FontFace* known = FontNameTable::face(m_name);
    return known ? *known : FontNameTable::systemFace();
}

bool Font::isBold() const
{
    return face().weight >= boldThreshold;
}

Font Font::withFace(const FontFace* face) const
{
    if (!isKnown() || !face) {
        return *this;
    }
    return {face->postScriptName, m_size};
}

Font Font::boldVariant() const
{
    if (!isKnown()) {
        return *this;
    }
    const FontFace* bold = FontNameTable::nearestFace(face().designFamily, boldWeight, face().italic);
    return bold && bold->weight >= boldThreshold ? withFace(bold) : *this;
}

Font Font::nonBoldVariant() const
{
    if (!isBold()) {
        return *this;
    }
    const FontFace* regular = FontNameTable::nearestFace(face().designFamily, regularWeight, face().italic);
    return regular && regular->weight < boldThreshold ? withFace(regular) : *this;
}

Font Font::italicVariant() const
{
    return withFace(FontNameTable::nearestFace(face().designFamily, face().weight, true));
}

Font Font::nonItalicVariant() const
{
    return withFace(FontNameTable::nearestFace(face().designFamily, face().weight, false));
}

Font Font::heavier() const
{
    const FontFace* next = nullptr;
    for (const FontFace& candidate : FontNameTable::faces()) {
        if (candidate.designFamily == face().designFamily && candidate.italic == face().italic &&
            candidate.weight > face().weight && (!next || candidate.weight < next->weight)) {
            next = &candidate;
        }
    }
    return withFace(next);
}

Font Font::lighter() const
{
    const FontFace* next = nullptr;
    for (const FontFace& candidate : FontNameTable::faces()) {
        if (candidate.designFamily == face().designFamily && candidate.italic == face().italic &&
            candidate.weight < face().weight && (!next || candidate.weight > next->weight)) {
            next = &candidate;
        }
    }
    return withFace(next);
}

QFont Font::toQFont() const
{
    const FontFace& drawn = face();
    QFont font(drawn.installedFamily);
    font.setWeight(static_cast<QFont::Weight>(drawn.weight));
    font.setItalic(drawn.italic);
    font.setPointSizeF(m_size > 0 && std::isfinite(m_size) ? m_size : systemFontSize());
    // Unhinted outlines keep measurements proportional to the size, whatever the scale drawn at.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

} // namespace graphics
