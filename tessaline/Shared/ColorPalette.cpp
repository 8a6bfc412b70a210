#include "tessaline/Shared/ColorPalette.h"

#include "tessaline/Shared/ColorComponents.h"

namespace tessaline {
namespace {

graphics::Color fromBytes(double red, double green, double blue)
{
    return colorWithRgba(red / 255, green / 255, blue / 255, 1);
}

} // namespace

graphics::Color ColorPalette::turquoise()
{
    return fromBytes(26, 188, 156);
}

graphics::Color ColorPalette::greenSea()
{
    return fromBytes(22, 160, 133);
}

graphics::Color ColorPalette::emerald()
{
    return fromBytes(46, 204, 113);
}

graphics::Color ColorPalette::nephritis()
{
    return fromBytes(39, 174, 96);
}

graphics::Color ColorPalette::peterRiver()
{
    return fromBytes(52, 152, 219);
}

graphics::Color ColorPalette::belizeHole()
{
    return fromBytes(41, 128, 185);
}

graphics::Color ColorPalette::amethyst()
{
    return fromBytes(155, 89, 182);
}

graphics::Color ColorPalette::wisteria()
{
    return fromBytes(142, 68, 173);
}

graphics::Color ColorPalette::wetAsphalt()
{
    return fromBytes(52, 73, 94);
}

graphics::Color ColorPalette::midnightBlue()
{
    return fromBytes(44, 62, 80);
}

graphics::Color ColorPalette::sunflower()
{
    return fromBytes(241, 196, 15);
}

graphics::Color ColorPalette::carrot()
{
    return fromBytes(230, 126, 34);
}

graphics::Color ColorPalette::pumpkin()
{
    return fromBytes(211, 84, 0);
}

graphics::Color ColorPalette::alizarin()
{
    return fromBytes(231, 76, 60);
}

graphics::Color ColorPalette::pomergranate()
{
    return fromBytes(192, 57, 43);
}

graphics::Color ColorPalette::clouds()
{
    return fromBytes(236, 240, 241);
}

graphics::Color ColorPalette::silver()
{
    return fromBytes(189, 195, 199);
}

graphics::Color ColorPalette::concrete()
{
    return fromBytes(149, 165, 166);
}

graphics::Color ColorPalette::asbestos()
{
    return fromBytes(127, 140, 141);
}

} // namespace tessaline
