#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the window calls languages, from the locale data Qt carries. Codes are BCP 47 tags in their
// canonical spelling ("de-DE", "zh-Hans", "ja"); a code the locale data does not know is called by itself.
namespace pelorama::app::LanguageNames {

// The language's name in itself, whatever region the code names: "Deutsch" for "de-CH", "English" for
// "en-US", "简体中文" for "zh-Hans".
QString nativeName(const QString& code);
// Its name in English: "German", "Japanese", with the script where the code names one.
QString englishName(const QString& code);
// What a note names code by among a document's languages codes: its English name, and where another of
// them shares that name, with the region or script its code names ("English (United States)").
QString noteName(const QString& code, const QStringList& codes);
// The names a list of a document's languages shows: their native names, and where two of them share
// one, each with the region or script its code names ("Deutsch (Schweiz)"), or else its code.
QStringList menuNames(const QStringList& codes);

// A language a document can take: a language of the locale data on its own ("ja", "zh-Hant"), or in one
// of its regions ("de-CH", "pt-BR", "zh-Hant-TW").
struct Offer
{
    QString code;
    QString nativeName;  // "Deutsch (Schweiz)"
    QString englishName; // "German (Switzerland)"
};
// Every language and region the locale data knows, each language before its regions, by English name.
QList<Offer> offers();

} // namespace pelorama::app::LanguageNames
