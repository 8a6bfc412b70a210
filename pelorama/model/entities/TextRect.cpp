#include "model/entities/TextRect.h"

#include "ledgerline/core/EnumerationProperty.h"
#include "ledgerline/core/StringProperty.h"
#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/context/ContextOperations.h"
#include "model/languages/DocumentLanguages.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

const AttributeTable& TextRect::attributes()
{
    using graphics::TextAlignment;
    const int segmented = ledgerline::EnumerationProperty::segmentedDisplay;
    static const AttributeTable table(
        {
            attributeRow(uniqueIdentifierAttribute, {.insertion = &makeUniqueIdentifier, .indexed = true}),
            attributeRow(fontAttribute,
                         {.insertion = graphics::Font(QStringLiteral("AvenirNext-Regular"), 50),
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::font, .group = "Text", .label = "Font"}}}),
            attributeRow(colorAttribute,
                         {.insertion = graphics::Color{1, 1, 1, 1},
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::colour,
                                         .group = "Text",
                                         .label = "Color",
                                         .initialValue = QVariant::fromValue(graphics::Color{1, 1, 1, 1})}}}),
            // Offered left to right as on screen; the values are the platform's raw values.
            attributeRow(horizontalAlignmentAttribute,
                         {.insertion = TextAlignment::left,
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::choice,
                                         .group = "Text",
                                         .label = "Horizontal Alignment",
                                         .options = {{"Left", TextAlignment::left},
                                                     {"Center", TextAlignment::center},
                                                     {"Right", TextAlignment::right}},
                                         .displayStyle = segmented}}}),
            attributeRow(verticalAlignmentAttribute,
                         {.insertion = VerticalAlignment::top,
                          .changesPixels = true,
                          .inspector = {{.kind = InspectorKind::choice,
                                         .group = "Text",
                                         .label = "Vertical Alignment",
                                         .options = {{"Top", VerticalAlignment::top},
                                                     {"Middle", VerticalAlignment::center},
                                                     {"Bottom", VerticalAlignment::bottom}},
                                         .displayStyle = segmented}}}),
            attributeRow(textAttribute,
                         {.insertion = QString(""),
                          .changesPixels = true,
                          .maximumLength = maximumTextLength,
                          .inspector = {{.kind = InspectorKind::text,
                                         .group = "Text",
                                         .label = "Text",
                                         .textStyle = ledgerline::StringProperty::multiLineText}}}),
            attributeRow(rectAttribute, {.insertion = graphics::Rect::zero(), .changesPixels = true}),
            attributeRow(translationsAttribute,
                         {.changesPixels = true, .maximumLength = maximumTextLength, .addedLater = true}),
        },
        Shadowable::attributes());
    return table;
}

TextRect::TextRect()
    : IdentifiedEntity(attributes())
    , Shadowable(static_cast<Entity&>(*this))
{}

TextRect* TextRect::insertInto(store::ManagedObjectContext& context, const graphics::Rect& rect,
                               const QString& text, graphics::TextAlignment horizontalAlignment,
                               VerticalAlignment verticalAlignment)
{
    TextRect* textRect = insertInto(context);
    textRect->setRect(rect);
    textRect->setText(text);
    textRect->setHorizontalAlignment(horizontalAlignment);
    textRect->setVerticalAlignment(verticalAlignment);
    return textRect;
}

QString TextRect::text(const QString& language) const
{
    if (!language.isEmpty()) {
        if (const auto translations = storedValue(translationsAttribute)) {
            if (const auto found = translations->constFind(language); found != translations->constEnd())
                return *found;
        }
    }
    return text();
}

bool TextRect::isTranslated(const QString& language) const
{
    if (language.isEmpty() || translations().contains(language))
        return true;
    store::ManagedObjectContext* context = managedObjectContext();
    return !context || DocumentLanguages::of(*context).base == language;
}

bool TextRect::setText(const QString& text, const QString& language)
{
    store::ManagedObjectContext* context = managedObjectContext();
    const DocumentLanguages languages = context ? DocumentLanguages::of(*context) : DocumentLanguages();
    if (language.isEmpty() || language == languages.base) {
        setText(text);
        return true;
    }
    if (!languages.contains(language))
        return false;
    Translations changed = translations();
    if (text.isEmpty())
        changed.remove(language);
    else
        changed.insert(language, text);
    setTranslations(changed);
    return true;
}

DrawableSnapshot TextRect::snapshot() const
{
    return CaptionSnapshot::of(*this);
}

DrawableSnapshot TextRect::snapshotInLanguage(const QString& language) const
{
    return CaptionSnapshot::of(*this, language);
}

} // namespace pelorama::model
