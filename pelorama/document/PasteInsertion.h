#pragma once

#include "model/languages/DocumentLanguages.h"
#include "store/Result.h"
#include "store/StoreForward.h"

#include <QHash>
#include <QString>
#include <optional>

namespace pelorama::model {
class Asset;
} // namespace pelorama::model

namespace pelorama::document {

// One insertion of pasteboard dictionaries into a context (a paste, a duplicate): the context, and the
// assets it looked up or inserted by identifier, so that an asset that many pasted pictures name is
// looked up once, however many of them there are.
class PasteInsertion
{
public:
    explicit PasteInsertion(store::ManagedObjectContext& context);

    store::ManagedObjectContext& context() const { return m_context; }

    // The asset named identifier in the context (unsaved changes included), looked up on the first
    // request only: none (nullptr) when there is none, or the failure of the lookup.
    store::Result<model::Asset*> asset(const QString& identifier);
    // An asset the insertion made, which later pictures of the insertion share.
    void addAsset(const QString& identifier, model::Asset& asset);
    // The context's languages, read on the first request only.
    const model::DocumentLanguages& languages();

private:
    store::ManagedObjectContext& m_context;
    QHash<QString, model::Asset*> m_assets;
    std::optional<model::DocumentLanguages> m_languages;
};

} // namespace pelorama::document
