#pragma once

#include "graphics/AttributedString.h"
#include "graphics/TextLayout.h"
#include "model/rendering/CaptionSnapshot.h"
#include "model/rendering/TextMask.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace pelorama::model {

class TextMaskCache;

struct CanvasRenderingContext;

// Draws captions: the styled text laid out at the rectangle's width and placed by the vertical alignment,
// after its drop shadow or the directional shadow cast from the mask of its ink, the same in every mode.
//
// It keeps what it made for the captions it drew last (the styled text by style, its layout by style and
// width) and reuses it while a caption's inputs are the same, so a render that changes nothing of a
// caption parses and lays out nothing; the masks are shared by every renderer (TextMaskCache). Nothing
// ever needs clearing: what a caption now is selects what is drawn.
//
// A renderer draws on one thread at a time, and may draw on another thread next time. A text layout holds
// the fonts of the thread that made it, which that thread may be drawing with meanwhile, or which went
// with it: the layouts kept are dropped when the renderer draws on another thread than the one that made
// them.
class CaptionRenderer
{
public:
    CaptionRenderer() = default;
    CaptionRenderer(const CaptionRenderer&) = delete;
    CaptionRenderer& operator=(const CaptionRenderer&) = delete;

    void draw(const CaptionSnapshot& caption, const CanvasRenderingContext& context);

    // The steps of draw, each kept as said above. The caption's text with its inline markup applied
    // (styledCaptionText).
    std::shared_ptr<const graphics::AttributedString> styledText(const CaptionStyle& style);
    // The styled text laid out at width.
    std::shared_ptr<const graphics::TextLayout> layout(const CaptionStyle& style, double width);
    // The mask of the caption's ink laid out at width, kept in masks; none when it is too large for a bitmap.
    std::optional<TextMask> mask(const CaptionStyle& style, double width, TextMaskCache& masks);

private:
    struct StyledEntry
    {
        CaptionStyle style;
        std::shared_ptr<const graphics::AttributedString> text;
        std::uint64_t lastUse = 0;
    };
    struct LayoutEntry
    {
        // Held, so that no other styled text takes its address while the entry lives.
        std::shared_ptr<const graphics::AttributedString> text;
        double width = 0;
        std::shared_ptr<const graphics::TextLayout> layout;
        std::uint64_t lastUse = 0;
    };

    std::vector<StyledEntry> m_styledTexts;
    std::vector<LayoutEntry> m_layouts;
    std::uint64_t m_layoutThread = 0; // the thread m_layouts were made on
    std::uint64_t m_useCounter = 0;
};

} // namespace pelorama::model
