#pragma once

#include "graphics/AttributedString.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/ParagraphStyle.h"
#include "graphics/Rect.h"
#include "graphics/TextLayout.h"
#include "ledgerline/PropertyEditable.h"
#include "model/Drawable.h"
#include "model/Entity.h"
#include "model/Selectable.h"
#include "model/Shadowable.h"
#include "model/TextMask.h"
#include "model/VerticalAlignment.h"

#include <memory>
#include <mutex>
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
//
// Drawing keeps transient caches, never stored or copied: the styled text, the text laid out at the
// rectangle's width (so a render that changes nothing of the caption lays nothing out), and the mask that
// a directional shadow is cast from. Each remembers what it was made from (the text, font, colour and
// horizontal alignment; the layout also the width; the mask the layout) and is made again at the first
// draw that finds those different, so a draw always shows the current values, whether the change came
// from the canvas, the inspector, undo, redo or a paste, and whether or not anything showed the caption
// meanwhile. Like every entity, a text rect is used on its context's queue only; drawing is safe on any
// thread that is its context's queue (it paints with QImage/QPainter alone), and a lock keeps the caches
// whole should two such threads ever meet.
class TextRect : public Entity,
                 public Drawable,
                 public Selectable,
                 public Shadowable,
                 public ledgerline::PropertyEditable
{
    Q_OBJECT

public:
    TextRect();

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

    // Draws the styled text laid out at the rectangle's width and placed by the vertical alignment, after
    // its drop or directional shadow, in canvas points.
    void draw(const Canvas& canvas, const CanvasRenderingContext& context) override;
    QStringList keypathsTriggeringRedraw() const override;
    // "text", "font", "color" and "horizontalAlignment" drop the styled text, its layout and the mask,
    // "rect" only the mask; other keys (exact case) keep them. Only lets go of them early: a draw checks
    // the caches' inputs itself.
    void prepareForRedrawAfterChangingWithKeyPath(const QString& keyPath) override;
    DrawableSnapshot snapshot() const override;

    // The inspector: "Text" (Font, Color, Horizontal Alignment offered as Left, Center, Right, Vertical
    // Alignment as Top, Middle, Bottom, both segmented, and Text in a multi-line field), then "Shadow".
    std::unique_ptr<ledgerline::PropertyCollection> makePropertyCollection() override;

    // The caches as the last draw left them: nullptr while empty. maskSize is the size in points of the
    // last mask built; it stays when the mask is dropped and means something only while maskImage is set.
    std::shared_ptr<const graphics::AttributedString> cachedAttributedString() const;
    // The styled text as the last draw laid it out, at the rectangle's width then.
    std::shared_ptr<const graphics::TextLayout> cachedTextLayout() const;
    std::shared_ptr<const graphics::Image> maskImage() const;
    graphics::Size maskSize() const;

protected:
    bool hasTypedKey(const QString& key) const override;
    QVariant typedValueForKey(const QString& key) const override;
    void setTypedValueForKey(const QVariant& value, const QString& key) override;

private:
    // What the styled text is made from.
    struct StyleInputs
    {
        QString text;
        graphics::Font font;
        graphics::Color color;
        graphics::TextAlignment alignment = graphics::TextAlignment::left;

        friend bool operator==(const StyleInputs&, const StyleInputs&) = default;
    };
    struct DrawingCaches
    {
        StyleInputs styleInputs;
        std::shared_ptr<const graphics::AttributedString> styledText;
        // The styled text laid out at layoutWidth; layoutText is the styled text it was made from (held, so
        // it is never another at its address).
        std::shared_ptr<const graphics::TextLayout> layout;
        std::shared_ptr<const graphics::AttributedString> layoutText;
        double layoutWidth = 0;
        TextMask mask;
        // The layout the mask was drawn from.
        std::shared_ptr<const graphics::TextLayout> maskLayout;
    };

    StyleInputs styleInputs() const;

    // Fills what the draw needs of the caches and returns them.
    DrawingCaches preparedCaches(bool needsMask);

    mutable std::mutex m_cacheMutex;
    DrawingCaches m_caches;
};

} // namespace pelorama::model
