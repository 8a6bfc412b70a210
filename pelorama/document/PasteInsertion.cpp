#include "document/PasteInsertion.h"

#include "model/entities/Asset.h"

namespace pelorama::document {

PasteInsertion::PasteInsertion(store::ManagedObjectContext& context)
    : m_context(context)
{}

store::Result<model::Asset*> PasteInsertion::asset(const QString& identifier)
{
    if (const auto found = m_assets.constFind(identifier); found != m_assets.constEnd())
        return *found;
    store::Result<model::Asset*> fetched = model::Asset::fetch(identifier, m_context);
    if (fetched)
        m_assets.insert(identifier, *fetched);
    return fetched;
}

void PasteInsertion::addAsset(const QString& identifier, model::Asset& asset)
{
    m_assets.insert(identifier, &asset);
}

const model::DocumentLanguages& PasteInsertion::languages()
{
    if (!m_languages)
        m_languages = model::DocumentLanguages::of(m_context);
    return *m_languages;
}

} // namespace pelorama::document
