#include "model/languages/Translations.h"

#include "model/languages/LanguageCode.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace pelorama::model::TranslationsText {

namespace {

// The entries of text in the stored form, all of them, or none when one is not as stored.
std::optional<Translations> strictlyRead(const QString& text, std::optional<int> maximumTextLength)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    if (maximumTextLength && object.size() > maximumCount)
        return std::nullopt;
    Translations translations;
    for (auto entry = object.begin(); entry != object.end(); ++entry) {
        const QString key = entry.key();
        if (LanguageCode::canonical(key) != key || !entry.value().isString())
            return std::nullopt;
        const QString value = entry.value().toString();
        if (value.isEmpty() || (maximumTextLength && value.size() > *maximumTextLength))
            return std::nullopt;
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
    if (offered.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = offered.toString();
    // A text escaped character by character ("\uXXXX") takes six times its length; a longer one cannot
    // hold what a caption takes, and is not parsed.
    const qsizetype longest =
        qsizetype(maximumCount) * (6 * qsizetype(maximumTextLength) + 2 * LanguageCode::maximumLength + 8) +
        2;
    if (text.size() > longest)
        return std::nullopt;
    const std::optional<Translations> translations = strictlyRead(text, maximumTextLength);
    if (!translations)
        return std::nullopt;
    return stored(*translations);
}

} // namespace pelorama::model::TranslationsText
