#pragma once

#include "graphics/Rect.h"
#include "graphics/TextAttributes.h"

#include <QString>
#include <vector>

namespace graphics {

class GraphicsContext;

// Styled text: a string with runs of TextAttributes covering it without gaps. Positions and lengths count
// UTF-16 code units, as QString does. A range outside the string is a broken contract and stops the
// program.
class AttributedString
{
public:
    struct Run
    {
        int start = 0;
        int length = 0;
        TextAttributes attributes;

        friend bool operator==(const Run&, const Run&) = default;
    };

    AttributedString() = default;
    explicit AttributedString(const QString& string, const TextAttributes& attributes = {});

    const QString& string() const { return m_string; }
    int length() const { return static_cast<int>(m_string.size()); }
    bool isEmpty() const { return m_string.isEmpty(); }
    // Maximal runs of equal attributes, in order.
    const std::vector<Run>& runs() const { return m_runs; }
    TextAttributes attributesAt(int index) const;

    // Merges attributes into the range: attributes present replace those of the same name, others stay.
    void addAttributes(const TextAttributes& attributes, int start, int length);
    // Replaces all attributes of the range.
    void setAttributes(const TextAttributes& attributes, int start, int length);
    AttributedString substring(int start, int length) const;
    // Replaces the characters of the range, and their attributes, with replacement.
    void replace(int start, int length, const AttributedString& replacement);
    // Adds other at the end; its cost does not grow with this string's length.
    void append(const AttributedString& other);

    // The size of the text laid out at width (lines wrap at word boundaries, long words anywhere; a width
    // that is not positive and finite does not wrap): the widest line's width and the height of all lines,
    // each line as high as its font's ascent, descent and leading. Empty text measures (0, 0).
    Size boundingSize(double width) const;
    double heightForWidth(double width) const { return boundingSize(width).height; }
    // Draws the text laid out at rect's width with its first line at rect's top edge, upright.
    void draw(GraphicsContext& context, const Rect& rect) const;

    friend bool operator==(const AttributedString&, const AttributedString&) = default;

private:
    void checkRange(int start, int length) const;
    // The run holding the character at index, which must lie in the string.
    std::vector<Run>::const_iterator runAt(int index) const;
    // Makes a run boundary at position and returns the index of the run starting there.
    std::size_t splitAt(int position);
    void coalesce();
    // Changes the attributes of every run in the range by change, splitting runs at its ends.
    template <typename Change> void changeAttributes(int start, int length, Change change);

    QString m_string;
    std::vector<Run> m_runs;
};

} // namespace graphics
