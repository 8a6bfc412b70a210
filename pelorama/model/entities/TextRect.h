#pragma once

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/ParagraphStyle.h"
#include "graphics/Rect.h"
#include "model/entities/Drawable.h"
#include "model/entities/EntityClass.h"
#include "model/entities/IdentifiedEntity.h"
#include "model/entities/Selectable.h"
#include "model/entities/Shadowable.h"
#include "model/entities/VerticalAlignment.h"
#include "model/languages/Translations.h"
#include "store/StoreForward.h"

#include <memory>
#include <optional>

namespace pelorama::model {

// A caption: text in the inline markup, drawn in one font and colour, aligned in a rectangle of the
// canvas (points, y up), with a shadow.
//
// Keys: "uniqueIdentifier", "text", "font" (graphics::Font), "color", "rect" (a graphics::Rect to
// key-value coding, stored as text), "horizontalAlignment" (the graphics::TextAlignment raw value: left
// 0, right 1, centre 2, justified 3, natural 4; any other stored number reads as left),
// "verticalAlignment" (raw value), the shadow keys and "translations" (its texts in the document's other
// languages, stored as text, see Translations).
//
// "text" is the caption's text in the document's base language (DocumentLanguages), which is all that
// documents with one language have; in any other language it shows its translation, or its base text
// where it has none.
class TextRect : public IdentifiedEntity,
                 public Drawable,
                 public Selectable,
                 public Shadowable,
                 public EntityClass<TextRect>
{
    Q_OBJECT

public:
    TextRect();

    // Its attributes, the shadow's last. The inspector shows "Text" (Font, Color, Horizontal Alignment
    // offered as Left, Center, Right, Vertical Alignment as Top, Middle, Bottom, both segmented, and Text
    // in a multi-line field), then "Shadow".
    static const AttributeTable& attributes();

    // The attributes the typed accessors below read and write.
    static constexpr Attribute<graphics::Font> fontAttribute{u"font"};
    static constexpr Attribute<graphics::Color> colorAttribute{u"color"};
    static constexpr Attribute<graphics::TextAlignment> horizontalAlignmentAttribute{u"horizontalAlignment"};
    static constexpr Attribute<VerticalAlignment> verticalAlignmentAttribute{u"verticalAlignment"};
    static constexpr Attribute<QString> textAttribute{u"text"};
    static constexpr Attribute<graphics::Rect> rectAttribute{u"rect"};
    static constexpr Attribute<Translations> translationsAttribute{u"translations"};

    // The most characters (UTF-16 code units) a caption's text takes from a paste or an editor: far more
    // than any caption shows, and few enough to edit and lay out at once. A longer text that a document
    // already holds stays as it is and draws.
    static constexpr int maximumTextLength = 5000;

    // A new caption with a new uniqueIdentifier, the zero rectangle, empty text, left and top alignment,
    // white, "AvenirNext-Regular" at 50 points, and the shadow defaults.
    using EntityClass<TextRect>::insertInto;
    // The same, then the rectangle, text and alignments.
    static TextRect* insertInto(store::ManagedObjectContext& context, const graphics::Rect& rect,
                                const QString& text, graphics::TextAlignment horizontalAlignment,
                                VerticalAlignment verticalAlignment);

    // The text in the base language.
    QString text() const { return value(textAttribute); }
    void setText(const QString& text) { setValue(textAttribute, text); }
    Translations translations() const { return value(translationsAttribute); }
    void setTranslations(const Translations& translations) { setValue(translationsAttribute, translations); }

    // What the caption shows in language (a canonical code; empty for the base language): its
    // translation, or the base text where it has none.
    QString text(const QString& language) const;
    // Whether the caption has a text of its own in language, the document's base language included.
    bool isTranslated(const QString& language) const;
    // Sets what the caption shows in language, one of its document's languages: the base language's text
    // is "text", another's its translation, and an empty text there removes the translation so that the
    // base text shows again. Changes nothing, and answers false, for a language the document lacks.
    bool setText(const QString& text, const QString& language);
    graphics::Font font() const { return value(fontAttribute); }
    void setFont(const std::optional<graphics::Font>& font) { setValue(fontAttribute, font); }
    graphics::Color color() const { return value(colorAttribute); }
    void setColor(const std::optional<graphics::Color>& color) { setValue(colorAttribute, color); }
    // The zero rectangle when missing.
    graphics::Rect rect() const { return value(rectAttribute); }
    void setRect(const graphics::Rect& rect) { setValue(rectAttribute, rect); }
    // Left when missing.
    graphics::TextAlignment horizontalAlignment() const { return value(horizontalAlignmentAttribute); }
    void setHorizontalAlignment(graphics::TextAlignment alignment)
    {
        setValue(horizontalAlignmentAttribute, alignment);
    }
    // Top when missing or unknown.
    VerticalAlignment verticalAlignment() const { return value(verticalAlignmentAttribute); }
    void setVerticalAlignment(VerticalAlignment alignment)
    {
        setValue(verticalAlignmentAttribute, alignment);
    }

    graphics::Rect boundingRect() const override { return rect(); }

    // Its rectangle, style, vertical alignment and shadow (CaptionSnapshot), with its base text or its
    // text in language.
    DrawableSnapshot snapshot() const override;
    DrawableSnapshot snapshotInLanguage(const QString& language) const override;
};

} // namespace pelorama::model
