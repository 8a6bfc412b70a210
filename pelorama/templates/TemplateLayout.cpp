#include "templates/TemplateLayout.h"

#include "foundation/Fatal.h"
#include "model/devices/DeviceFamily.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "templates/Builder.h"
#include "templates/FontResolution.h"

namespace pelorama::templates {

namespace {

// Places elements one after another, keeping the rectangle that the next lengths resolve against.
class Placement
{
public:
    Placement(const TemplateLayout& layout, Builder& builder)
        : m_layout(layout)
        , m_builder(builder)
        , m_canvas(builder.screenshot().size())
    {}

    void operator()(const TemplateLayout::Device& device)
    {
        const graphics::Point centre{device.x * m_canvas.width, device.y * m_canvas.height};
        model::DeviceImage& added =
            device.secondary
                ? m_builder.addSecondaryDevice(device.familyIdentifier, centre, device.scaleFactor)
                : m_builder.addDevice(device.familyIdentifier, centre, device.scaleFactor);
        // The builder falls back to the catalogue's first family; a built-in layout needs its own.
        if (added.deviceFamily().identifier() != device.familyIdentifier)
            foundation::fatal("The device catalogue has no family \"" + device.familyIdentifier + "\"");
        if (device.orientation != model::DeviceOrientation::portrait)
            added.setOrientation(device.orientation);
        m_anchor = added.rect();
    }

    void operator()(const TemplateLayout::Picture& picture)
    {
        m_anchor = m_builder.addImage(resolve(picture.rect), std::nullopt, picture.fillMode).rect();
    }

    void operator()(const TemplateLayout::Caption& caption)
    {
        graphics::Rect rect = resolve(caption.rect);
        if (caption.insetX != 0 || caption.insetY != 0)
            rect = rect.insetBy(caption.insetX, caption.insetY);
        model::TextRect& added = m_builder.addText(rect, QStringLiteral("Your text here!"), caption.alignment,
                                                   model::VerticalAlignment::center);
        if (const std::optional<TemplateLayout::CaptionFace>& face = m_layout.captionFace)
            added.setFont(resolvedFont(face->postScriptName, face->pointSize));
    }

private:
    graphics::Rect resolve(const layout::Rect& rect) const
    {
        if (rect.usesAnchor() && !m_anchor)
            foundation::fatal("The layout \"" + m_layout.name + "\" places something against nothing");
        const graphics::Rect anchor = m_anchor.value_or(graphics::Rect());
        const auto x = [&](const layout::X& length) {
            return length.resolve(m_canvas.width, anchor.minX(), anchor.maxX());
        };
        const auto y = [&](const layout::Y& length) {
            return length.resolve(m_canvas.height, anchor.minY(), anchor.maxY());
        };
        return {x(rect.x), y(rect.y), x(rect.width), y(rect.height)};
    }

    const TemplateLayout& m_layout;
    Builder& m_builder;
    const graphics::Size m_canvas;
    std::optional<graphics::Rect> m_anchor;
};

} // namespace

void TemplateLayout::build(Builder& builder) const
{
    Placement placement(*this, builder);
    for (const Element& element : elements)
        std::visit(placement, element);
}

} // namespace pelorama::templates
