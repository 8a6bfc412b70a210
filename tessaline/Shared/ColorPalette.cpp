#include "tessaline/Shared/ColorPalette.h"

#include "tessaline/Shared/ColorHex.h"

namespace tessaline {

graphics::Color ColorPalette::turquoise()
{
    return colorFromIntegers(26, 188, 156);
}

graphics::Color ColorPalette::greenSea()
{
    return colorFromIntegers(22, 160, 133);
}

graphics::Color ColorPalette::emerald()
{
    return colorFromIntegers(46, 204, 113);
}

graphics::Color ColorPalette::nephritis()
{
    return colorFromIntegers(39, 174, 96);
}

graphics::Color ColorPalette::peterRiver()
{
    return colorFromIntegers(52, 152, 219);
}

graphics::Color ColorPalette::belizeHole()
{
    return colorFromIntegers(41, 128, 185);
}

graphics::Color ColorPalette::amethyst()
{
    return colorFromIntegers(155, 89, 182);
}

graphics::Color ColorPalette::wisteria()
{
    return colorFromIntegers(142, 68, 173);
}

graphics::Color ColorPalette::wetAsphalt()
{
    return colorFromIntegers(52, 73, 94);
}

graphics::Color ColorPalette::midnightBlue()
{
    return colorFromIntegers(44, 62, 80);
}

graphics::Color ColorPalette::sunflower()
{
    return colorFromIntegers(241, 196, 15);
}

graphics::Color ColorPalette::carrot()
{
    return colorFromIntegers(230, 126, 34);
}

graphics::Color ColorPalette::pumpkin()
{
    return colorFromIntegers(211, 84, 0);
}

graphics::Color ColorPalette::alizarin()
{
    return colorFromIntegers(231, 76, 60);
}

graphics::Color ColorPalette::pomergranate()
{
    return colorFromIntegers(192, 57, 43);
}

graphics::Color ColorPalette::clouds()
{
    return colorFromIntegers(236, 240, 241);
}

graphics::Color ColorPalette::silver()
{
    return colorFromIntegers(189, 195, 199);
}

graphics::Color ColorPalette::concrete()
{
    return colorFromIntegers(149, 165, 166);
}

graphics::Color ColorPalette::asbestos()
{
    return colorFromIntegers(127, 140, 141);
}

} // namespace tessaline
