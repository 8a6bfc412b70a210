#pragma once

#include "graphics/AttributedString.h"

#include <QPainter>
#include <QTextLayout>
#include <memory>
#include <vector>

namespace graphics {

// Lays styled text out in lines with QTextLayout: one layout per paragraph (split at line and paragraph
// separators), lines wrapped at the given width, line heights with the font's leading, in a y-down space
// whose origin is the top left of the first line. One point of a font size is one unit.
class TextLayout
{
public:
    TextLayout(const AttributedString& text, double width);

    double height() const { return m_height; }
    // The width of the widest line.
    double usedWidth() const { return m_usedWidth; }
    // The largest font size of the text, in points.
    double largestFontSize() const { return m_largestFontSize; }
    // Draws the lines with origin at the painter's (0, 0).
    void draw(QPainter& painter) const;

private:
    void layOutParagraph(const AttributedString& text, int start, int end, double width, bool wraps);

    std::vector<std::unique_ptr<QTextLayout>> m_paragraphs;
    double m_height = 0;
    double m_usedWidth = 0;
    double m_largestFontSize = 0;
};

} // namespace graphics
