#pragma once

namespace pelorama::canvas {

class FontManager;

// A widget that takes the font panel's changes while it, or a widget inside it, has the keyboard focus.
class FontChanging
{
public:
    virtual ~FontChanging() = default;

    // The user chose a font in the panel; sender.convertFont(font) turns a font into the chosen one.
    virtual void changeFont(FontManager& sender) = 0;

protected:
    FontChanging() = default;
    FontChanging(const FontChanging&) = default;
    FontChanging& operator=(const FontChanging&) = default;
};

} // namespace pelorama::canvas
