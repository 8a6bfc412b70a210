#include "graphics/AttributedString.h"

#include "foundation/Fatal.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

namespace graphics {

AttributedString::AttributedString(const QString& string, const TextAttributes& attributes)
    : string_(string)
{
    if (!string_.isEmpty()) {
        runs_.push_back({0, length(), attributes});
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

TextAttributes AttributedString::attributesAt(int index) const
{
    checkRange(index, 1);
    for (const Run& run : runs_) {
        if (index < run.start + run.length) {
            return run.attributes;
        }
    }
    Q_UNREACHABLE();
}

std::size_t AttributedString::splitAt(int position)
{
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        Run& run = runs_[i];
        if (run.start == position) {
            return i;
        }
        if (position < run.start + run.length) {
            Run tail{position, run.start + run.length - position, run.attributes};
            run.length = position - run.start;
            runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
            return i + 1;
        }
    }
    return runs_.size();
}

void AttributedString::coalesce()
{
    std::vector<Run> merged;
    for (Run& run : runs_) {
        if (run.length == 0) {
            continue;
        }
        if (!merged.empty() && merged.back().attributes == run.attributes) {
            merged.back().length += run.length;
        } else {
            merged.push_back(std::move(run));
        }
    }
    runs_ = std::move(merged);
}

void AttributedString::addAttributes(const TextAttributes& attributes, int start, int length)
{
    checkRange(start, length);
    if (length == 0) {
        return;
    }
    const std::size_t first = splitAt(start);
    const std::size_t end = splitAt(start + length);
    for (std::size_t i = first; i < end; ++i) {
        runs_[i].attributes.merge(attributes);
    }
    coalesce();
}

void AttributedString::setAttributes(const TextAttributes& attributes, int start, int length)
{
    checkRange(start, length);
    if (length == 0) {
        return;
    }
    const std::size_t first = splitAt(start);
    const std::size_t end = splitAt(start + length);
    for (std::size_t i = first; i < end; ++i) {
        runs_[i].attributes = attributes;
    }
    coalesce();
}

AttributedString AttributedString::substring(int start, int length) const
{
    checkRange(start, length);
    AttributedString result;
    result.string_ = string_.mid(start, length);
    for (const Run& run : runs_) {
        const int from = std::max(run.start, start);
        const int to = std::min(run.start + run.length, start + length);
        if (from < to) {
            result.runs_.push_back({from - start, to - from, run.attributes});
        }
    }
    return result;
}

void AttributedString::replace(int start, int length, const AttributedString& replacement)
{
    checkRange(start, length);
    const int end = start + length;
    const int delta = replacement.length() - length;
    std::vector<Run> runs;
    for (const Run& run : runs_) {
        const int runEnd = run.start + run.length;
        if (run.start < start) {
            runs.push_back({run.start, std::min(runEnd, start) - run.start, run.attributes});
        }
    }
    for (const Run& run : replacement.runs_) {
        runs.push_back({run.start + start, run.length, run.attributes});
    }
    for (const Run& run : runs_) {
        const int runEnd = run.start + run.length;
        if (runEnd > end) {
            const int from = std::max(run.start, end);
            runs.push_back({from + delta, runEnd - from, run.attributes});
        }
    }
    string_.replace(start, length, replacement.string_);
    runs_ = std::move(runs);
    coalesce();
}

void AttributedString::append(const AttributedString& other)
{
    replace(length(), 0, other);
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
