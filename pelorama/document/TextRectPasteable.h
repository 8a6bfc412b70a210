#pragma once

#include "document/EntityPasteable.h"

namespace pelorama::document {

// A caption's "text" is its text in its document's base language, and "translations" its texts in the
// others; so a caption travels with the code of that base language in its extras, under "language".
// Pasted into a document, each of its texts lands where that document keeps the language: the text in
// the document's base language becomes "text" (a caption without one keeps the text it had), and its
// texts in every other language become its translations: those in languages the document lacks wait
// there, unseen, exported nowhere, until the document takes the language. A caption that comes without
// a language keeps its texts as they are.
class TextRectPasteable : public EntityPasteable
{
public:
    TextRectPasteable();

    std::optional<QVariantMap> additionalPasteboardData(store::ManagedObject& object) const override;
    CheckedExtras checkAdditionalPasteboardData(const QVariantMap& checkedAttributes,
                                                const QVariantMap& extras) const override;
    void processAdditionalPasteboardData(store::ManagedObject& object, const QVariantMap& extras,
                                         PasteInsertion& insertion) const override;
};

} // namespace pelorama::document
