#include "model/languages/DocumentLanguages.h"

#include "model/entities/Language.h"
#include "model/languages/LanguageCode.h"
#include "store/ManagedObjectContext.h"

#include <QSet>
#include <algorithm>

namespace pelorama::model {

DocumentLanguages DocumentLanguages::of(store::ManagedObjectContext& context)
{
    std::vector<const Language*> rows;
    if (const auto found = context.execute(Language::fetchRequest())) {
        for (store::ManagedObject* object : *found) {
            if (const auto* language = dynamic_cast<const Language*>(object))
                rows.push_back(language);
        }
    }
    // Orders never read as NaN (a stored one reads as missing, 0), so the sort's order is strict.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Language* a, const Language* b) { return a->order() < b->order(); });
    DocumentLanguages languages;
    QSet<QString> taken;
    for (const Language* row : rows) {
        const QString code = row->code();
        if (taken.contains(code) || LanguageCode::canonical(code) != code)
            continue;
        taken.insert(code);
        languages.codes.append(code);
        if (languages.base.isEmpty() && row->role() == LanguageRole::base)
            languages.base = code;
    }
    if (languages.codes.isEmpty())
        languages.codes.append(LanguageCode::systemDefault());
    if (languages.base.isEmpty())
        languages.base = languages.codes.front();
    return languages;
}

QStringList DocumentLanguages::translations() const
{
    QStringList others = codes;
    others.removeAll(base);
    return others;
}

} // namespace pelorama::model
