#pragma once

#include "foundation/Expected.h"
#include "store/StoreForward.h"

#include <QString>

namespace pelorama::model {

struct DocumentLanguages;
class TextRect;

// The edits of a document's languages. Each is one undo step of context (its own, also inside the same
// pass of the event loop, named after the edit: "Add Language") that keeps the captions' texts in step, and
// changes nothing when it fails; the error says why in words for the user. Codes are taken in any spelling
// LanguageCode::canonical takes. On context's queue.
namespace LanguageEditing {

using Outcome = foundation::Expected<void, QString>;

// Adds code after the document's languages. The first language added to a document without stored
// languages stores its base language too, so the base stays what it was wherever the document is opened.
Outcome addLanguage(store::ManagedObjectContext& context, const QString& code);

// Removes code and every caption's text in it. The base language cannot be removed.
Outcome removeLanguage(store::ManagedObjectContext& context, const QString& code);

// Calls the language code by another code, which the document must not have yet; the captions' texts
// in it go along.
Outcome renameLanguage(store::ManagedObjectContext& context, const QString& code, const QString& newCode);

// Makes code the base language. Every caption swaps: its text in code, where it has one, becomes its
// "text", and its text in the old base language is kept as its translation into that language, so no
// text is lost and a caption without a text in code goes on showing the one it had (which then is both
// its base text and its text in the old base language, until it is translated).
Outcome setBaseLanguage(store::ManagedObjectContext& context, const QString& code);

// How many captions have no text of their own in code, one of the document's languages: those that
// making it the base leaves showing their present text. None for the base language.
foundation::Expected<int, QString> captionsWithoutText(store::ManagedObjectContext& context,
                                                       const QString& code);

// The language whose text caption's base text really is: the base language, unless the caption has no
// text of its own in it since the base changed, and so shows the text of the language it had (its text
// there is the same). Languages are the document's.
QString baseTextLanguage(const TextRect& caption, const DocumentLanguages& languages);

} // namespace LanguageEditing

} // namespace pelorama::model
