#include "document/CopyPasteable.h"

#include "document/DrawableMappingPasteable.h"
#include "document/EntityPasteable.h"
#include "document/ImageLoadablePasteable.h"
#include "document/TextRectPasteable.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Entity.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"

#include <QHash>
#include <memory>

namespace pelorama::document {

namespace {

using Table = QHash<QString, std::shared_ptr<const CopyPasteable>>;

Table makeTable()
{
    using model::entityName;
    Table table;
    table.insert(entityName<model::Screenshot>(),
                 std::make_shared<EntityPasteable>(EntityPasteable::insertionOf<model::Screenshot>(),
                                                   QStringList{QStringLiteral("drawableMappings")}));
    table.insert(entityName<model::DrawableMapping>(), std::make_shared<DrawableMappingPasteable>());
    table.insert(entityName<model::Image>(),
                 std::make_shared<ImageLoadablePasteable>(EntityPasteable::insertionOf<model::Image>()));
    table.insert(entityName<model::DeviceImage>(), std::make_shared<ImageLoadablePasteable>(
                                                       EntityPasteable::insertionOf<model::DeviceImage>()));
    table.insert(entityName<model::TextRect>(), std::make_shared<TextRectPasteable>());
    // An asset travels with its identifier, by which the pictures of a paste find it.
    table.insert(entityName<model::Asset>(),
                 std::make_shared<EntityPasteable>(EntityPasteable::insertionOf<model::Asset>(),
                                                   QStringList{}, QStringList{}));
    return table;
}

} // namespace

const CopyPasteable* CopyPasteable::forEntity(const QString& entityName)
{
    // Built once, also when the first calls come from several threads at once.
    static const Table table = makeTable();
    const auto found = table.constFind(entityName);
    return found == table.constEnd() ? nullptr : found->get();
}

std::optional<QVariantMap> CopyPasteable::additionalPasteboardData(store::ManagedObject&) const
{
    return std::nullopt;
}

CopyPasteable::CheckedExtras CopyPasteable::checkAdditionalPasteboardData(const QVariantMap&,
                                                                          const QVariantMap&) const
{
    return {};
}

void CopyPasteable::processAdditionalPasteboardData(store::ManagedObject&, const QVariantMap&,
                                                    PasteInsertion&) const
{}

bool CopyPasteable::isDroppedFromPasteboard(const QVariantMap&) const
{
    return false;
}

EntityPasteable::EntityPasteable(Insertion insertion, QStringList embeddedRelationships,
                                 QStringList ignoredAttributes)
    : m_insertion(std::move(insertion))
    , m_embeddedRelationships(std::move(embeddedRelationships))
    , m_ignoredAttributes(std::move(ignoredAttributes))
{}

store::ManagedObject& EntityPasteable::insertInto(store::ManagedObjectContext& context) const
{
    return m_insertion(context);
}

} // namespace pelorama::document
