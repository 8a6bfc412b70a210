#pragma once

#include "store/StoreForward.h"

#include <QString>
#include <QStringList>

namespace pelorama::model {

// The languages of a document: BCP 47 codes in their canonical spelling (LanguageCode), in the order
// the user sees them, and among them the base language, whose texts are the captions' own "text".
//
// A document without stored languages (every document until a second language is added, and every
// document written before languages existed) has one: its base language, the system's
// (LanguageCode::systemDefault). Reading never writes.
struct DocumentLanguages
{
    QStringList codes; // the base language among them
    QString base;

    // The languages stored in context, on its queue. Stored rows that make no sense are read as well as
    // they can be: a row whose code is no code, or repeats one before it, is left out; without a row
    // marked base the first is the base. A failing fetch reads as no stored languages.
    static DocumentLanguages of(store::ManagedObjectContext& context);

    bool contains(const QString& code) const { return codes.contains(code); }
    // Whether there are languages besides the base.
    bool hasTranslations() const { return codes.size() > 1; }
    // codes without the base.
    QStringList translations() const;

    friend bool operator==(const DocumentLanguages&, const DocumentLanguages&) = default;
};

} // namespace pelorama::model
