#pragma once

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/ParagraphStyle.h"
#include "graphics/Rect.h"
#include "model/entities/Drawable.h"
#include "model/entities/Entity.h"
#include "model/entities/Selectable.h"
#include "model/entities/Shadowable.h"
#include "model/entities/VerticalAlignment.h"

#include <memory>
#include <optional>

namespace store {
class ManagedObjectContext;
struct FetchRequest;
} // namespace store

namespace pelorama::model {

// A caption: text in the inline markup, drawn in one font and colour, aligned in a rectangle of the
// canvas (points, y up), with a shadow.
//
// Keys: "uniqueIdentifier", "text", "font" (graphics::Font), "color", "rect" (a graphics::Rect to
// key-value coding, stored as text), "horizontalAlignment" (the graphics::TextAlignment raw value: left
// 0, right 1, centre 2, justified 3, natural 4; any other stored number reads as left),
// "verticalAlignment" (raw value) and the shadow keys.
class TextRect : public Entity, public Drawable, public Selectable, public Shadowable
{
    Q_OBJECT

public:
    TextRect();

    // Its attributes, the shadow's last. The inspector shows "Text" (Font, Color, Horizontal Alignment
    // offered as Left, Center, Right, Vertical Alignment as Top, Middle, Bottom, both segmented, and Text
    // in a multi-line field), then "Shadow".
    static const AttributeTable& attributes();

    // The most characters (UTF-16 code units) a caption's text takes from a paste or an editor: far more
    // than any caption shows, and few enough to edit and lay out at once. A longer text that a document
    // already holds stays as it is and draws.
    static constexpr int maximumTextLength = 5000;

    // A new caption with a new uniqueIdentifier, the zero rectangle, empty text, left and top alignment,
    // white, "AvenirNext-Regular" at 50 points, and the shadow defaults.
    static TextRect* insertInto(store::ManagedObjectContext& context);
    // The same, then the rectangle, text and alignments.
    static TextRect* insertInto(store::ManagedObjectContext& context, const graphics::Rect& rect,
                                const QString& text, graphics::TextAlignment horizontalAlignment,
                                VerticalAlignment verticalAlignment);
    static store::FetchRequest fetchRequest();

    QString uniqueIdentifier() const;
    void setUniqueIdentifier(const QString& identifier);
    QString text() const;
    void setText(const QString& text);
    std::optional<graphics::Font> font() const;
    void setFont(const std::optional<graphics::Font>& font);
    std::optional<graphics::Color> color() const;
    void setColor(const std::optional<graphics::Color>& color);
    graphics::Rect rect() const; // the zero rectangle when missing
    void setRect(const graphics::Rect& rect);
    graphics::TextAlignment horizontalAlignment() const; // left when missing
    void setHorizontalAlignment(graphics::TextAlignment alignment);
    VerticalAlignment verticalAlignment() const; // top when missing or unknown
    void setVerticalAlignment(VerticalAlignment alignment);

    graphics::Rect boundingRect() const override { return rect(); }

    // Its rectangle, style, vertical alignment and shadow (CaptionSnapshot).
    DrawableSnapshot snapshot() const override;
};

} // namespace pelorama::model
