#include "graphics/TextAttributes.h"

namespace graphics {
namespace {

template <typename T> void take(std::optional<T>& target, const std::optional<T>& source)
{
    if (source) {
        target = source;
    }
}

} // namespace

void TextAttributes::merge(const TextAttributes& other)
{
    take(font, other.font);
    take(foregroundColor, other.foregroundColor);
    take(backgroundColor, other.backgroundColor);
    take(underlineStyle, other.underlineStyle);
    take(strikethroughStyle, other.strikethroughStyle);
    take(kern, other.kern);
    take(paragraphStyle, other.paragraphStyle);
}

} // namespace graphics
