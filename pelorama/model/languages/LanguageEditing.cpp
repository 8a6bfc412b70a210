#include "model/languages/LanguageEditing.h"

#include "model/entities/Language.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/Translations.h"
#include "store/ManagedObjectContext.h"
#include "store/ScopedUndoGroup.h"

#include <QHash>
#include <algorithm>
#include <optional>
#include <vector>

namespace pelorama::model::LanguageEditing {

namespace {

using foundation::Unexpected;

Outcome refused(const QString& message)
{
    return Unexpected(message);
}

QString notACode(const QString& code)
{
    return QStringLiteral("“%1” is not a language code.").arg(code);
}

QString notInDocument(const QString& code)
{
    return QStringLiteral("The document has no language %1.").arg(code);
}

template <typename T>
foundation::Expected<std::vector<T*>, QString> fetchAll(store::ManagedObjectContext& context)
{
    const auto found = context.execute(T::fetchRequest());
    if (!found)
        return Unexpected(QStringLiteral("The document could not be read: %1").arg(found.error().message()));
    std::vector<T*> objects;
    for (store::ManagedObject* object : *found) {
        if (auto* typed = dynamic_cast<T*>(object))
            objects.push_back(typed);
    }
    return objects;
}

// Makes the stored languages what languages says: a row per code, in order, the base marked. Rows that
// stand for no code of it (a removed or renamed language, and rows a damaged store repeats) go.
void storeLanguages(store::ManagedObjectContext& context, const std::vector<Language*>& rows,
                    const DocumentLanguages& languages)
{
    QHash<QString, Language*> kept;
    for (Language* row : rows) {
        if (languages.contains(row->code()) && !kept.contains(row->code()))
            kept.insert(row->code(), row);
        else
            context.deleteObject(row);
    }
    for (qsizetype i = 0; i < languages.codes.size(); ++i) {
        const QString& code = languages.codes[i];
        Language* row = kept.value(code);
        if (!row) {
            row = Language::insertInto(context);
            row->setCode(code);
        }
        row->setOrder(double(i));
        row->setRole(code == languages.base ? LanguageRole::base : LanguageRole::translation);
    }
}

// What an edit needs: the document's languages as they are, their rows and the captions.
struct Document
{
    DocumentLanguages languages;
    std::vector<Language*> rows;
    std::vector<TextRect*> captions;
};

foundation::Expected<Document, QString> read(store::ManagedObjectContext& context)
{
    auto rows = fetchAll<Language>(context);
    if (!rows)
        return Unexpected(rows.error());
    auto captions = fetchAll<TextRect>(context);
    if (!captions)
        return Unexpected(captions.error());
    return Document{DocumentLanguages::of(context), std::move(*rows), std::move(*captions)};
}

// code in its canonical spelling, or the refusal of a code that is none.
foundation::Expected<QString, QString> canonicalCode(const QString& code)
{
    const std::optional<QString> canonical = LanguageCode::canonical(code);
    if (!canonical)
        return Unexpected(notACode(code));
    return *canonical;
}

// The document, read for an edit of its language code (canonical), which it must have.
foundation::Expected<Document, QString> readHaving(store::ManagedObjectContext& context, const QString& code)
{
    auto document = read(context);
    if (!document)
        return Unexpected(document.error());
    if (!document->languages.contains(code))
        return Unexpected(notInDocument(code));
    return document;
}

// One of the document's languages, read for an edit: its code in the canonical spelling, and the document.
struct DocumentLanguage
{
    QString code;
    Document document;
};

foundation::Expected<DocumentLanguage, QString> readLanguage(store::ManagedObjectContext& context,
                                                             const QString& code)
{
    const auto canonical = canonicalCode(code);
    if (!canonical)
        return Unexpected(canonical.error());
    auto document = readHaving(context, *canonical);
    if (!document)
        return Unexpected(document.error());
    return DocumentLanguage{*canonical, std::move(*document)};
}

// Stores languages as one undo step called name and changes every caption's translations by change,
// which answers whether it changed them.
template <typename Change>
void storeEdit(store::ManagedObjectContext& context, const QString& name, const Document& document,
               const DocumentLanguages& languages, Change change)
{
    const store::ScopedUndoGroup step(context, name);
    storeLanguages(context, document.rows, languages);
    for (TextRect* caption : document.captions) {
        Translations translations = caption->translations();
        if (change(*caption, translations))
            caption->setTranslations(translations);
    }
}

} // namespace

Outcome addLanguage(store::ManagedObjectContext& context, const QString& code)
{
    const auto canonical = canonicalCode(code);
    if (!canonical)
        return Unexpected(canonical.error());
    auto document = read(context);
    if (!document)
        return Unexpected(document.error());
    DocumentLanguages languages = document->languages;
    if (languages.contains(*canonical))
        return refused(QStringLiteral("The document already has the language %1.").arg(*canonical));
    if (languages.codes.size() >= TranslationsText::maximumCount)
        return refused(
            QStringLiteral("A document takes at most %1 languages.").arg(TranslationsText::maximumCount));
    languages.codes.append(*canonical);
    storeEdit(context, QStringLiteral("Add Language"), *document, languages,
              [](TextRect&, Translations&) { return false; });
    return {};
}

Outcome removeLanguage(store::ManagedObjectContext& context, const QString& code)
{
    auto language = readLanguage(context, code);
    if (!language)
        return Unexpected(language.error());
    const QString& canonical = language->code;
    const Document& document = language->document;
    if (canonical == document.languages.base)
        return refused(QStringLiteral("The base language cannot be removed."));
    DocumentLanguages languages = document.languages;
    languages.codes.removeAll(canonical);
    storeEdit(context, QStringLiteral("Remove Language"), document, languages,
              [&](TextRect&, Translations& translations) { return translations.remove(canonical) > 0; });
    return {};
}

Outcome renameLanguage(store::ManagedObjectContext& context, const QString& code, const QString& newCode)
{
    const auto from = canonicalCode(code);
    if (!from)
        return Unexpected(from.error());
    const auto to = canonicalCode(newCode);
    if (!to)
        return Unexpected(to.error());
    auto document = readHaving(context, *from);
    if (!document)
        return Unexpected(document.error());
    if (*from == *to)
        return {};
    DocumentLanguages languages = document->languages;
    if (languages.contains(*to))
        return refused(QStringLiteral("The document already has the language %1.").arg(*to));
    languages.codes.replace(languages.codes.indexOf(*from), *to);
    if (languages.base == *from)
        languages.base = *to;
    storeEdit(context, QStringLiteral("Change Language"), *document, languages,
              [&](TextRect&, Translations& translations) {
                  // A text kept for the new code while the document lacked it (pasted along) gives way.
                  if (!translations.contains(*from))
                      return translations.remove(*to) > 0;
                  translations.insert(*to, translations.take(*from));
                  return true;
              });
    return {};
}

Outcome setBaseLanguage(store::ManagedObjectContext& context, const QString& code)
{
    auto language = readLanguage(context, code);
    if (!language)
        return Unexpected(language.error());
    const QString& canonical = language->code;
    const Document& document = language->document;
    if (document.languages.base == canonical)
        return {};
    const QString oldBase = document.languages.base;
    DocumentLanguages languages = document.languages;
    languages.base = canonical;
    storeEdit(context, QStringLiteral("Set Base Language"), document, languages,
              [&](TextRect& caption, Translations& translations) {
                  // A text the old base only carried over from the language before stays that language's
                  // alone.
                  const bool carried = baseTextLanguage(caption, document.languages) != oldBase;
                  const QString newText = translations.take(canonical);
                  const QString oldText = caption.text();
                  if (!oldText.isEmpty() && !carried)
                      translations.insert(oldBase, oldText);
                  if (!newText.isEmpty())
                      caption.setText(newText);
                  return true;
              });
    return {};
}

QString baseTextLanguage(const TextRect& caption, const DocumentLanguages& languages)
{
    const QString text = caption.text();
    const Translations translations = caption.translations();
    for (const QString& code : languages.codes) {
        if (code != languages.base && !text.isEmpty() && translations.value(code) == text)
            return code;
    }
    return languages.base;
}

foundation::Expected<int, QString> captionsWithoutText(store::ManagedObjectContext& context,
                                                       const QString& code)
{
    auto language = readLanguage(context, code);
    if (!language)
        return Unexpected(language.error());
    if (language->code == language->document.languages.base)
        return 0;
    const auto& captions = language->document.captions;
    return int(std::count_if(captions.begin(), captions.end(), [&](const TextRect* caption) {
        return !caption->isDeleted() && !caption->translations().contains(language->code);
    }));
}

} // namespace pelorama::model::LanguageEditing
