#include "document/TextRectPasteable.h"

#include "document/PasteInsertion.h"
#include "model/entities/CaptionText.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/Translations.h"

namespace pelorama::document {

namespace {

const QString languageKey = QStringLiteral("language");

// Why the pasted caption's texts cannot stand in a document, by the rule every road in follows.
std::optional<QString> textProblem(const QVariantMap& attributes)
{
    const QString base = attributes.value(model::TextRect::textAttribute.key()).toString();
    if (const std::optional<QString> problem = model::CaptionText::problem(base))
        return QStringLiteral("The text of a caption is not valid: %1.").arg(*problem);
    const model::Translations translations =
        model::TranslationsText::read(attributes.value(model::TextRect::translationsAttribute.key()));
    for (auto text = translations.begin(); text != translations.end(); ++text) {
        if (const std::optional<QString> problem = model::CaptionText::translationProblem(*text, base))
            return QStringLiteral("The %1 text of a caption is not valid: %2.").arg(text.key(), *problem);
    }
    return std::nullopt;
}

} // namespace

TextRectPasteable::TextRectPasteable()
    : EntityPasteable(EntityPasteable::insertionOf<model::TextRect>())
{}

std::optional<QVariantMap> TextRectPasteable::additionalPasteboardData(store::ManagedObject& object) const
{
    store::ManagedObjectContext* context = object.managedObjectContext();
    if (!context)
        return std::nullopt;
    return QVariantMap{{languageKey, model::DocumentLanguages::of(*context).base}};
}

CopyPasteable::CheckedExtras
TextRectPasteable::checkAdditionalPasteboardData(const QVariantMap& checkedAttributes,
                                                 const QVariantMap& extras) const
{
    if (const std::optional<QString> problem = textProblem(checkedAttributes))
        return {std::nullopt, *problem};
    const auto language = extras.constFind(languageKey);
    if (language == extras.constEnd())
        return {};
    if (language->typeId() != QMetaType::QString ||
        model::LanguageCode::canonical(language->toString()) != language->toString())
        return {std::nullopt, QStringLiteral("The language of a caption is not valid.")};
    return {QVariantMap{{languageKey, *language}}, std::nullopt};
}

void TextRectPasteable::processAdditionalPasteboardData(store::ManagedObject& object,
                                                        const QVariantMap& extras,
                                                        PasteInsertion& insertion) const
{
    auto* caption = dynamic_cast<model::TextRect*>(&object);
    const QString copiedBase = extras.value(languageKey).toString();
    if (!caption || copiedBase.isEmpty())
        return;
    const model::DocumentLanguages& languages = insertion.languages();
    // Every text of the copy by language, its base text included.
    model::Translations texts = caption->translations();
    if (!caption->text().isEmpty())
        texts.insert(copiedBase, caption->text());
    // Texts in languages the document lacks stay with the caption, so that adding the language shows
    // them; what the document's languages hold comes first should the caption hold too many.
    model::Translations kept;
    for (const QString& code : languages.translations()) {
        if (texts.contains(code))
            kept.insert(code, texts.value(code));
    }
    for (auto text = texts.cbegin(); text != texts.cend(); ++text) {
        if (kept.size() >= model::TranslationsText::maximumCount)
            break;
        if (!languages.contains(text.key()))
            kept.insert(text.key(), text.value());
    }
    if (texts.contains(languages.base))
        caption->setText(texts.value(languages.base));
    caption->setTranslations(kept);
}

} // namespace pelorama::document
