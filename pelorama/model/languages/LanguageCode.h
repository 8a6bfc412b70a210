#pragma once

#include <QString>
#include <optional>

namespace pelorama::model::LanguageCode {

// A language as documents name it: a BCP 47 tag ("de-DE", "pt-BR", "zh-Hans", "ja"). Codes are compared
// and stored in their canonical spelling (a lower-case language, a title-case script, an upper-case
// region), so that "de-de" and "de_DE" are "de-DE". Every code is also a file name of its own: it holds
// only ASCII letters, digits and "-".

// Tags longer than this are refused; real ones are far shorter.
inline constexpr int maximumLength = 35;

// code in the canonical spelling; none for text that is no tag. "_" is taken for "-", as POSIX locale
// names ("de_DE") write it. A tag is a language subtag of 2 to 8 letters followed by subtags of 1 to 8
// letters or digits.
std::optional<QString> canonical(const QString& code);

// The code of the system's locale ("en-US"); "en-US" for the C locale.
QString systemDefault();

} // namespace pelorama::model::LanguageCode
