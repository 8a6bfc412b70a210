#pragma once

#include <QString>
#include <optional>

// What a caption's text may hold, one rule for every road a text takes into a document (a paste, a
// translation file) and out of it (a translation file), so that what leaves by one road comes back by any
// other:
// - characters: text, with tab and line break as its only control characters (no NUL, which a translation
//   file cannot hold, and no half of a surrogate pair, which UTF-8 cannot);
// - length: at most TextRect::maximumTextLength characters, which a translation file holds in far fewer
//   bytes than it takes;
// - markup, for a translation: it leaves no markup delimiter standing as typed more often than its base
//   text does, so that markup the base text shows as typed (the "//" of an address) may stand in it too.
namespace pelorama::model::CaptionText {

// Why text cannot be a caption's text in its base language, in words that follow the caption's name
// ("it is longer than 5000 characters"); none when it can.
std::optional<QString> problem(const QString& text);
// Why translation cannot be the text beside base in another language; none when it can.
std::optional<QString> translationProblem(const QString& translation, const QString& base);
// text with only the characters a caption holds, for text that comes from elsewhere in pieces (pasted
// into an editor): the line breaks of other systems ("\r\n", "\r") as line breaks, other control
// characters and halves of surrogate pairs left out.
QString withCaptionCharacters(const QString& text);

} // namespace pelorama::model::CaptionText
