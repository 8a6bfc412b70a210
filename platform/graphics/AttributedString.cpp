#include "graphics/AttributedString.h"

#include "foundation/Fatal.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <algorithm>

namespace graphics {

AttributedString::AttributedString(const QString& string, const TextAttributes& attributes)
    : m_string(string)
{
    if (!m_string.isEmpty()) {
        m_runs.push_back({0, length(), attributes});
    }
}

void AttributedString::checkRange(int start, int length) const
{
    if (start < 0 || length < 0 || start > this->length() - length) {
        foundation::fatal(QStringLiteral("Range {%1, %2} out of bounds; string length %3")
                              .arg(start)
                              .arg(length)
                              .arg(this->length()));
    }
}

std::vector<AttributedString::Run>::const_iterator AttributedString::runAt(int index) const
{
    // The last run starting at or before index; runs cover the string without gaps.
    const auto after = std::upper_bound(m_runs.begin(), m_runs.end(), index,
                                        [](int position, const Run& run) { return position < run.start; });
    return after - 1;
}

TextAttributes AttributedString::attributesAt(int index) const
{
    checkRange(index, 1);
    return runAt(index)->attributes;
}

std::size_t AttributedString::splitAt(int position)
{
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        Run& run = m_runs[i];
        if (run.start == position) {
            return i;
        }
        if (position < run.start + run.length) {
            Run tail{position, run.start + run.length - position, run.attributes};
            run.length = position - run.start;
            m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
            return i + 1;
        }
    }
    return m_runs.size();
}

void AttributedString::coalesce()
{
    std::vector<Run> merged;
    for (Run& run : m_runs) {
        if (run.length == 0) {
            continue;
        }
        if (!merged.empty() && merged.back().attributes == run.attributes) {
            merged.back().length += run.length;
        } else {
            merged.push_back(std::move(run));
        }
    }
    m_runs = std::move(merged);
}

template <typename Change> void AttributedString::changeAttributes(int start, int length, Change change)
{
    checkRange(start, length);
    if (length == 0) {
        return;
    }
    const std::size_t first = splitAt(start);
    const std::size_t end = splitAt(start + length);
    for (std::size_t i = first; i < end; ++i) {
        change(m_runs[i].attributes);
    }
    coalesce();
}

void AttributedString::addAttributes(const TextAttributes& attributes, int start, int length)
{
    changeAttributes(start, length, [&](TextAttributes& run) { run.merge(attributes); });
}

void AttributedString::setAttributes(const TextAttributes& attributes, int start, int length)
{
    changeAttributes(start, length, [&](TextAttributes& run) { run = attributes; });
}

AttributedString AttributedString::substring(int start, int length) const
{
    checkRange(start, length);
    AttributedString result;
    if (length == 0) {
        return result;
    }
    result.m_string = m_string.mid(start, length);
    const int end = start + length;
    for (auto run = runAt(start); run != m_runs.end() && run->start < end; ++run) {
        const int from = std::max(run->start, start);
        const int to = std::min(run->start + run->length, end);
        result.m_runs.push_back({from - start, to - from, run->attributes});
    }
    return result;
}

void AttributedString::replace(int start, int length, const AttributedString& replacement)
{
    checkRange(start, length);
    const int end = start + length;
    const int delta = replacement.length() - length;
    std::vector<Run> runs;
    for (const Run& run : m_runs) {
        const int runEnd = run.start + run.length;
        if (run.start < start) {
            runs.push_back({run.start, std::min(runEnd, start) - run.start, run.attributes});
        }
    }
    for (const Run& run : replacement.m_runs) {
        runs.push_back({run.start + start, run.length, run.attributes});
    }
    for (const Run& run : m_runs) {
        const int runEnd = run.start + run.length;
        if (runEnd > end) {
            const int from = std::max(run.start, end);
            runs.push_back({from + delta, runEnd - from, run.attributes});
        }
    }
    m_string.replace(start, length, replacement.m_string);
    m_runs = std::move(runs);
    coalesce();
}

void AttributedString::append(const AttributedString& other)
{
    // Only the runs that meet at the seam can merge, so appending costs what other holds, however long
    // this string already is.
    const int offset = length();
    m_string.append(other.m_string);
    for (const Run& run : other.m_runs) {
        if (!m_runs.empty() && m_runs.back().attributes == run.attributes) {
            m_runs.back().length += run.length;
        } else {
            m_runs.push_back({run.start + offset, run.length, run.attributes});
        }
    }
}

Size AttributedString::boundingSize(double width) const
{
    const TextLayout layout(*this, width);
    return {layout.usedWidth(), layout.height()};
}

void AttributedString::draw(GraphicsContext& context, const Rect& rect) const
{
    context.drawText(*this, rect);
}

} // namespace graphics
