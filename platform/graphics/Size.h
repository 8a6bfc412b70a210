#pragma once

#include <QMetaType>
#include <QSizeF>

namespace graphics {

// A width and a height in double precision; either may be negative, as in the platform's sizes.
struct Size
{
    double width = 0;
    double height = 0;

    QSizeF toQSizeF() const { return {width, height}; }
    static Size fromQSizeF(const QSizeF& size) { return {size.width(), size.height()}; }

    friend bool operator==(const Size&, const Size&) = default;
};

} // namespace graphics

Q_DECLARE_METATYPE(graphics::Size)
