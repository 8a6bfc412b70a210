#pragma once

#include "model/attributes/Attribute.h"

#include <QMap>
#include <QString>
#include <QVariant>
#include <optional>

namespace pelorama::model {

// A caption's texts in the document's languages other than its base language, by canonical language code
// (LanguageCode); the base language's text is the caption's "text". No entry means no translation: the
// caption shows its base text in that language.
using Translations = QMap<QString, QString>;

namespace TranslationsText {

// The most languages a caption holds texts in: several times as many as any store takes.
inline constexpr int maximumCount = 200;

// The stored form: a JSON object from code to text, in code order, in one line; nil for none, so a
// caption without translations stores what documents written before languages existed hold.
QVariant stored(const Translations& translations);
// What a stored value holds: the entries of a JSON object whose key is a code in its canonical spelling
// and whose value is text that is not empty. Anything else, of the value or of an entry, is left out.
Translations read(const QVariant& stored);
// A stored value from somewhere else (a pasteboard): the value as it is to be stored, when it is text in
// the stored form of at most maximumCount entries, each key a canonical code and each text non-empty and
// at most maximumTextLength long. None otherwise.
std::optional<QVariant> checked(const QVariant& offered, int maximumTextLength);
// Why checked does not take offered, in words for the user that name what is wrong (too many languages,
// a key that is no code, a text that is none, empty or too long); none when it takes it.
std::optional<QString> refusal(const QVariant& offered, int maximumTextLength);

} // namespace TranslationsText

template <> struct AttributeValue<Translations>
{
    static constexpr AttributeKind kind = AttributeKind::translations;
    static std::optional<Translations> read(const QVariant& stored)
    {
        Translations translations = TranslationsText::read(stored);
        if (translations.isEmpty())
            return std::nullopt;
        return translations;
    }
    static QVariant write(const Translations& value) { return TranslationsText::stored(value); }
};

} // namespace pelorama::model
