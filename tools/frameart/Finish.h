#pragma once

#include <QColor>
#include <QString>

namespace frameart {

// The look of one variant: the colours of its metal, its front glass and its small parts.
struct Finish
{
    QColor metal;      // rim, buttons and bodies
    QColor metalShade; // the darker end of the metal's sheen
    QColor face;       // the front around the screen
    QColor detail;     // earpiece, camera, home button ring
    QColor mark;       // the project's mark where a maker would put a logo
    // Solid colours only: no sheen, no highlights.
    bool flat = false;
};

// The finish a variant identifier names ("JetBlack", "Silver", "MonoWhite", "Flat", ...).
Finish finishForVariant(const QString& identifier);

} // namespace frameart
