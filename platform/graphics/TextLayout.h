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
//
// Lines break after the last word that fits, or, where not even the first word fits, after the last
// character that fits. The time it takes grows with the length of the text, however long its words are.
// A layout is not changed once made; drawing it from one thread at a time is safe.
class TextLayout
{
public:
    // A laid-out line: the characters it holds (UTF-16 positions in the whole text, its separator not
    // included) and the width they take.
    struct Line
    {
        int start = 0;
        int length = 0;
        double width = 0;
    };

    TextLayout(const AttributedString& text, double width);

    double height() const { return m_height; }
    // The width of the widest line.
    double usedWidth() const { return m_usedWidth; }
    // The largest font size of the text, in points.
    double largestFontSize() const { return m_largestFontSize; }
    int lineCount() const { return m_lineCount; }
    // The lines in reading order; index must be below lineCount().
    Line line(int index) const;
    // Draws the lines with origin at the painter's (0, 0). Lines wholly outside the painter's device and
    // clip are skipped.
    void draw(QPainter& painter) const;

private:
    struct Paragraph
    {
        int start = 0;
        // The first line's index in the whole layout.
        int firstLine = 0;
        std::unique_ptr<QTextLayout> layout;
    };

    void layOutParagraph(const AttributedString& text, int start, int end, std::size_t& firstRun,
                         double width, bool wraps);

    std::vector<Paragraph> m_paragraphs;
    double m_height = 0;
    double m_usedWidth = 0;
    double m_largestFontSize = 0;
    int m_lineCount = 0;
};

} // namespace graphics
