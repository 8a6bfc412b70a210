#include "model/rendering/CaptionRenderer.h"

#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/ShadowCaster.h"
#include "model/rendering/TextRendering.h"

#include <algorithm>
#include <atomic>

namespace pelorama::model {

namespace {

// A screenshot shows a few captions; the canvas view also sees the last versions of one being edited.
constexpr std::size_t capacity = 16;

// The least recently used entry goes when entries is full.
template <typename Entry> void makeRoom(std::vector<Entry>& entries)
{
    if (entries.size() < capacity)
        return;
    entries.erase(std::min_element(entries.begin(), entries.end(),
                                   [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; }));
}

// A number of the calling thread that no other thread of the process ever has, also once it has ended,
// unlike its id or the address of its QThread, which a later thread may take.
std::uint64_t threadSerial()
{
    static std::atomic<std::uint64_t> next{1};
    thread_local const std::uint64_t serial = next++;
    return serial;
}

} // namespace

std::shared_ptr<const graphics::AttributedString> CaptionRenderer::styledText(const CaptionStyle& style)
{
    const auto found = std::find_if(m_styledTexts.begin(), m_styledTexts.end(),
                                    [&](const StyledEntry& entry) { return entry.style == style; });
    if (found != m_styledTexts.end()) {
        found->lastUse = ++m_useCounter;
        return found->text;
    }
    auto text = std::make_shared<const graphics::AttributedString>(
        styledCaptionText(style.text, style.font, style.color, style.alignment));
    makeRoom(m_styledTexts);
    m_styledTexts.push_back({style, text, ++m_useCounter});
    return text;
}

std::shared_ptr<const graphics::TextLayout> CaptionRenderer::layout(const CaptionStyle& style, double width)
{
    std::shared_ptr<const graphics::AttributedString> text = styledText(style);
    if (m_layoutThread != threadSerial()) {
        m_layouts.clear();
        m_layoutThread = threadSerial();
    }
    const auto found = std::find_if(m_layouts.begin(), m_layouts.end(), [&](const LayoutEntry& entry) {
        return entry.text == text && entry.width == width;
    });
    if (found != m_layouts.end()) {
        found->lastUse = ++m_useCounter;
        return found->layout;
    }
    auto laidOut = std::make_shared<const graphics::TextLayout>(*text, width);
    makeRoom(m_layouts);
    m_layouts.push_back({std::move(text), width, laidOut, ++m_useCounter});
    return laidOut;
}

std::optional<TextMask> CaptionRenderer::mask(const CaptionStyle& style, double width, TextMaskCache& masks)
{
    return masks.mask(style, width, [&] { return TextMask::draw(*layout(style, width), width); });
}

void CaptionRenderer::draw(const CaptionSnapshot& caption, const CanvasRenderingContext& context)
{
    const graphics::Rect& box = caption.rect;
    // The layout width is always the rectangle's, however wide the text turns out.
    const double width = box.width();
    const std::shared_ptr<const graphics::TextLayout> text = layout(caption.style, width);
    const double height = text->height();
    const double y = captionTextY(box, height, caption.verticalAlignment);

    graphics::GraphicsContext& graphics = context.graphicsContext;
    graphics.save();
    // A drop shadow stays in force while the glyphs draw, so they cast it; a directional one is cast from the
    // mask's ink, which lines up with the glyphs drawn over it. A mask too large for a bitmap casts none.
    castShadow(caption.shadow, context, [&]() -> std::optional<ShadowCaster> {
        const std::optional<TextMask> ink = mask(caption.style, width, context.resources.textMasks());
        if (!ink)
            return std::nullopt;
        return ShadowCaster{*ink->image, ink->imageRect(box.minX(), y)};
    });
    graphics.drawText(*text, {box.minX(), y, box.width(), height});
    graphics.restore();
}

} // namespace pelorama::model
