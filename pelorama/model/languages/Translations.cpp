#include "model/languages/Translations.h"

#include "foundation/Expected.h"
#include "model/languages/LanguageCode.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace pelorama::model::TranslationsText {

namespace {

// A key as a message shows it: a key that is no code may be of any length.
QString shownKey(const QString& key)
{
    return key.size() > LanguageCode::maximumLength ? key.left(LanguageCode::maximumLength) + u'…' : key;
}

// The entries of offered in the stored form, all of them, or why one of them or the whole is not as a
// caption stores it.
foundation::Expected<Translations, QString> strictlyRead(const QVariant& offered, int maximumTextLength)
{
    using Refusal = foundation::Unexpected<QString>;
    if (offered.typeId() != QMetaType::QString)
        return Refusal(QStringLiteral("The translations of a caption are not text."));
    const QString text = offered.toString();
    // A text escaped character by character ("\uXXXX") takes six times its length; a longer one cannot
    // hold what a caption takes, and is not parsed.
    const qsizetype longest =
        qsizetype(maximumCount) * (6 * qsizetype(maximumTextLength) + 2 * LanguageCode::maximumLength + 8) +
        2;
    if (text.size() > longest)
        return Refusal(QStringLiteral("The translations of a caption are %1 characters long; they take at "
                                      "most %2.")
                           .arg(text.size())
                           .arg(longest));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return Refusal(QStringLiteral("The translations of a caption are not valid."));
    const QJsonObject object = document.object();
    if (object.size() > maximumCount)
        return Refusal(QStringLiteral("A caption has texts in %1 languages; a caption takes at most %2.")
                           .arg(object.size())
                           .arg(maximumCount));
    Translations translations;
    for (auto entry = object.begin(); entry != object.end(); ++entry) {
        const QString key = entry.key();
        if (LanguageCode::canonical(key) != key)
            return Refusal(QStringLiteral("A caption has a text in “%1”, which is not a language code.")
                               .arg(shownKey(key)));
        if (!entry.value().isString())
            return Refusal(QStringLiteral("The translation of a caption into %1 is not text.").arg(key));
        const QString value = entry.value().toString();
        if (value.isEmpty())
            return Refusal(QStringLiteral("The translation of a caption into %1 is empty.").arg(key));
        if (value.size() > maximumTextLength)
            return Refusal(QStringLiteral("The translation of a caption into %1 is %2 characters long; a "
                                          "caption takes at most %3.")
                               .arg(key)
                               .arg(value.size())
                               .arg(maximumTextLength));
        translations.insert(key, value);
    }
    return translations;
}

} // namespace

QVariant stored(const Translations& translations)
{
    QJsonObject object;
    for (auto entry = translations.begin(); entry != translations.end(); ++entry) {
        if (!entry.value().isEmpty())
            object.insert(entry.key(), entry.value());
    }
    if (object.isEmpty())
        return {};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

Translations read(const QVariant& stored)
{
    if (stored.typeId() != QMetaType::QString)
        return {};
    const QJsonDocument document = QJsonDocument::fromJson(stored.toString().toUtf8());
    Translations translations;
    if (!document.isObject())
        return translations;
    const QJsonObject object = document.object();
    for (auto entry = object.begin(); entry != object.end(); ++entry) {
        const QString key = entry.key();
        const QString value = entry.value().toString();
        if (LanguageCode::canonical(key) == key && !value.isEmpty())
            translations.insert(key, value);
    }
    return translations;
}

std::optional<QVariant> checked(const QVariant& offered, int maximumTextLength)
{
    const auto translations = strictlyRead(offered, maximumTextLength);
    if (!translations)
        return std::nullopt;
    return stored(*translations);
}

std::optional<QString> refusal(const QVariant& offered, int maximumTextLength)
{
    const auto translations = strictlyRead(offered, maximumTextLength);
    if (translations)
        return std::nullopt;
    return translations.error();
}

} // namespace pelorama::model::TranslationsText
