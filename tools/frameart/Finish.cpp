#include "Finish.h"

namespace frameart {
namespace {

// Dark fronts keep their bezel clearly lighter than the screen's near-black, so the screen's edge is a
// visible line on every frame.
const QColor darkFace(0x1d, 0x1d, 0x20);
const QColor lightFace(0xf4, 0xf4, 0xf2);

Finish metal(QColor colour, QColor shade, QColor face)
{
    const bool darkFront = face.lightness() < 128;
    return {colour,
            shade,
            face,
            darkFront ? QColor(0x3a, 0x3a, 0x3e) : QColor(0xc9, 0xc9, 0xcc),
            darkFront ? QColor(0x6a, 0x6a, 0x70) : QColor(0x9a, 0x9a, 0xa0),
            false};
}

} // namespace

Finish finishForVariant(const QString& identifier)
{
    const auto has = [&](const char* word) {
        return identifier.contains(QLatin1String(word));
    };
    if (has("MonoBlack")) {
        Finish finish = metal(QColor(0x0e, 0x0e, 0x10), QColor(0x0e, 0x0e, 0x10), darkFace);
        finish.flat = true;
        return finish;
    }
    if (has("MonoWhite")) {
        Finish finish = metal(QColor(0xfb, 0xfb, 0xfb), QColor(0xfb, 0xfb, 0xfb), QColor(0xff, 0xff, 0xff));
        finish.detail = QColor(0xd6, 0xd6, 0xd6);
        finish.flat = true;
        return finish;
    }
    if (has("JetBlack"))
        return metal(QColor(0x2a, 0x2a, 0x2e), QColor(0x05, 0x05, 0x06), darkFace);
    if (has("SpaceGrey"))
        return metal(QColor(0x8e, 0x8f, 0x94), QColor(0x4e, 0x4f, 0x54), darkFace);
    if (has("RoseGold"))
        return metal(QColor(0xf1, 0xcf, 0xc6), QColor(0xc9, 0x9c, 0x90), lightFace);
    if (has("Gold"))
        return metal(QColor(0xee, 0xdc, 0xc0), QColor(0xc4, 0xab, 0x86), lightFace);
    if (has("Black"))
        return metal(QColor(0x3c, 0x3d, 0x42), QColor(0x1c, 0x1c, 0x20), darkFace);
    // Silver, and the aluminium of the laptops and desktops.
    Finish finish = metal(QColor(0xe3, 0xe4, 0xe6), QColor(0xaf, 0xb1, 0xb5), lightFace);
    if (identifier.startsWith(QLatin1String("MacBook")) || identifier.startsWith(QLatin1String("iMac"))) {
        finish.face = QColor(0x16, 0x16, 0x18);
        finish.detail = QColor(0x33, 0x33, 0x37);
        finish.mark = QColor(0x8c, 0x8d, 0x92);
    }
    finish.flat = has("Flat");
    if (finish.flat) {
        finish.metal = QColor(0xd4, 0xd5, 0xd8);
        finish.metalShade = finish.metal;
    }
    return finish;
}

} // namespace frameart
