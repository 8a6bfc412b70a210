#include "app/ScreenshotListModel.h"

#include "document/ScreenshotArrangement.h"
#include "foundation/Diagnostics.h"
#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/IdentifiedEntity.h"
#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/ObjectChanges.h"
#include "store/PersistentStoreCoordinator.h"

#include <QMimeData>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <optional>

namespace pelorama::app {
namespace {

const QString entityName = QStringLiteral("Screenshot");
const QString orderKey = QStringLiteral("order");

} // namespace

ScreenshotListModel::ScreenshotListModel(document::ScreenshotArrangement& arrangement, QObject* parent)
    : QAbstractListModel(parent)
    , m_arrangement(&arrangement)
    , m_context(arrangement.context())
{
    // The arrangement hears of the context's changes first, so the rows stand as they should when the
    // changes are counted.
    connect(&arrangement, &document::ScreenshotArrangement::rearranged, this,
            &ScreenshotListModel::followArrangement);
    if (m_context)
        connect(m_context, &store::ManagedObjectContext::objectsDidChange, this,
                &ScreenshotListModel::contextDidChange);
    followArrangement();
}

ScreenshotListModel::~ScreenshotListModel() = default;

QString ScreenshotListModel::mimeType()
{
    return entityName;
}

model::Screenshot* ScreenshotListModel::screenshotAt(int row) const
{
    return row >= 0 && row < m_screenshots.size() ? m_screenshots[row] : nullptr;
}

int ScreenshotListModel::rowOf(const model::Screenshot* screenshot) const
{
    for (qsizetype row = 0; row < m_screenshots.size(); ++row) {
        if (m_screenshots[row] == screenshot)
            return int(row);
    }
    return -1;
}

void ScreenshotListModel::followArrangement()
{
    if (!m_arrangement)
        return;
    const QList<model::Screenshot*> screenshots = m_arrangement->screenshots();
    m_rearranging = true;
    // Screenshots that went are removed, those that stay are moved into their new order, and new ones
    // are inserted where they belong.
    const QSet<const model::Screenshot*> wanted(screenshots.cbegin(), screenshots.cend());
    for (int row = int(m_screenshots.size()) - 1; row >= 0; --row) {
        if (wanted.contains(m_screenshots[row]))
            continue;
        beginRemoveRows({}, row, row);
        QObject::disconnect(m_keyWatches.take(m_screenshots[row]));
        m_screenshots.removeAt(row);
        endRemoveRows();
    }
    const QSet<const model::Screenshot*> present(m_screenshots.cbegin(), m_screenshots.cend());
    QList<model::Screenshot*> staying = screenshots;
    staying.removeIf([&](model::Screenshot* screenshot) { return !present.contains(screenshot); });
    for (int row = 0; row < staying.size(); ++row) {
        if (m_screenshots[row] == staying[row])
            continue;
        const int from = int(m_screenshots.indexOf(staying[row]));
        beginMoveRows({}, from, from, {}, row);
        m_screenshots.move(from, row);
        endMoveRows();
    }
    for (int row = 0; row < screenshots.size(); ++row) {
        if (row < m_screenshots.size() && m_screenshots[row] == screenshots[row])
            continue;
        beginInsertRows({}, row, row);
        m_screenshots.insert(row, screenshots[row]);
        watchKeys(*screenshots[row]);
        endInsertRows();
    }
    m_rearranging = false;
}

void ScreenshotListModel::contextDidChange(const store::ObjectChanges& changes)
{
    noteMappings(changes);
    QList<model::Screenshot*> changed;
    QSet<const model::Screenshot*> seen;
    for (const QList<store::ManagedObject*>* objects :
         {&changes.inserted, &changes.updated, &changes.deleted}) {
        for (store::ManagedObject* object : *objects) {
            model::Screenshot* screenshot = screenshotShowing(*object);
            // A new place in the list is no new picture: renumbering the list after an insertion or a
            // drop redraws no row.
            if (objects == &changes.updated && screenshot == object &&
                m_heardKeys.value(screenshot) == orderOnly)
                continue;
            if (screenshot && !seen.contains(screenshot)) {
                seen.insert(screenshot);
                changed.append(screenshot);
            }
        }
    }
    QHash<const model::Screenshot*, int> rows;
    for (int row = 0; !changed.isEmpty() && row < m_screenshots.size(); ++row)
        rows.insert(m_screenshots[row], row);
    for (model::Screenshot* screenshot : changed) {
        m_changes.insert(screenshot->objectID(), ++m_changeCount);
        if (const int row = rows.value(screenshot, -1); row >= 0)
            emit dataChanged(index(row), index(row), {changesRole, Qt::DisplayRole, Qt::ToolTipRole});
    }
    m_heardKeys.clear();
}

void ScreenshotListModel::watchKeys(model::Screenshot& screenshot)
{
    // A screenshot destroyed meanwhile took its connection along; its address may be taken again.
    QObject::disconnect(m_keyWatches.take(&screenshot));
    m_keyWatches.insert(&screenshot, connect(&screenshot, &foundation::KeyValueObject::valueChangedForKey,
                                             this, [this, watched = &screenshot](const QString& key) {
                                                 KeysHeard& heard = m_heardKeys[watched];
                                                 heard = key == orderKey && heard != otherKeys ? orderOnly
                                                                                               : otherKeys;
                                             }));
}

model::Screenshot* ScreenshotListModel::screenshotShowing(store::ManagedObject& object)
{
    if (auto* screenshot = qobject_cast<model::Screenshot*>(&object))
        return screenshot;
    if (auto* mapping = qobject_cast<model::DrawableMapping*>(&object))
        return mapping->screenshot();
    const auto* drawable = dynamic_cast<const model::IdentifiedEntity*>(&object);
    if (!drawable || !dynamic_cast<const model::Drawable*>(&object))
        return nullptr;
    const QString identifier = drawable->uniqueIdentifier();
    if (!m_mappedScreenshots.contains(identifier))
        indexMappings();
    return m_mappedScreenshots.value(identifier);
}

void ScreenshotListModel::noteMappings(const store::ObjectChanges& changes)
{
    if (!m_mappingsIndexed)
        return;
    for (const QList<store::ManagedObject*>* objects : {&changes.inserted, &changes.updated}) {
        for (store::ManagedObject* object : *objects) {
            if (auto* mapping = qobject_cast<model::DrawableMapping*>(object);
                mapping && !mapping->isDeleted())
                m_mappedScreenshots.insert(mapping->identifier(), mapping->screenshot());
        }
    }
}

void ScreenshotListModel::indexMappings()
{
    // Once: later, the mappings that change keep the index.
    if (m_mappingsIndexed || !m_context)
        return;
    m_mappingsIndexed = true;
    const auto mappings = m_context->execute(model::DrawableMapping::fetchRequest());
    if (!mappings) {
        foundation::warning(
            QStringLiteral("Could not fetch drawable mappings (%1)").arg(mappings.error().message()));
        return;
    }
    for (store::ManagedObject* object : *mappings) {
        if (auto* mapping = qobject_cast<model::DrawableMapping*>(object))
            m_mappedScreenshots.insert(mapping->identifier(), mapping->screenshot());
    }
}

int ScreenshotListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_screenshots.size());
}

QVariant ScreenshotListModel::data(const QModelIndex& index, int role) const
{
    model::Screenshot* screenshot = index.isValid() ? screenshotAt(index.row()) : nullptr;
    if (!screenshot)
        return {};
    switch (role) {
    case screenshotRole:
        return QVariant::fromValue(screenshot);
    case changesRole:
        return QVariant::fromValue(m_changes.value(screenshot->objectID()));
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return screenshot->name();
    default:
        return {};
    }
}

Qt::ItemFlags ScreenshotListModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index) | Qt::ItemIsDropEnabled;
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}

QMimeData* ScreenshotListModel::mimeData(const QModelIndexList& indexes) const
{
    QList<int> rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && !rows.contains(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    QVariantList uris;
    for (int row : rows) {
        if (model::Screenshot* screenshot = screenshotAt(row))
            uris.append(screenshot->objectID().uriRepresentation());
    }
    auto* data = new QMimeData;
    if (const auto archive = foundation::KeyedArchiver().archivedData(uris))
        data->setData(mimeType(), *archive);
    return data;
}

bool ScreenshotListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                          const QModelIndex&) const
{
    return data && action == Qt::MoveAction && data->hasFormat(mimeType());
}

bool ScreenshotListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                       const QModelIndex& parent)
{
    if (action == Qt::IgnoreAction)
        return true;
    if (!canDropMimeData(data, action, row, 0, parent))
        return false;
    const auto unarchived = foundation::KeyedUnarchiver({QStringLiteral("Array"), QStringLiteral("URL")})
                                .unarchivedObject(data->data(mimeType()));
    if (!unarchived || unarchived->typeId() != QMetaType::QVariantList)
        return false;
    store::PersistentStoreCoordinator* coordinator =
        m_context ? m_context->persistentStoreCoordinator() : nullptr;
    if (!m_context || !coordinator) {
        foundation::warning(
            QStringLiteral("Could not resolve managed object context and/or persistent store coordinator!"));
        return false;
    }
    // Objects that are gone meanwhile are skipped; the others still move.
    QList<model::Screenshot*> dragged;
    for (const QVariant& value : unarchived->toList()) {
        const std::optional<store::ManagedObjectID> id =
            coordinator->managedObjectIDForURIRepresentation(value.toUrl());
        if (!id)
            continue;
        if (auto* screenshot = qobject_cast<model::Screenshot*>(m_context->objectWithID(*id)))
            dragged.append(screenshot);
    }
    const int target = parent.isValid() ? parent.row() : (row < 0 ? rowCount() : row);
    return m_arrangement && m_arrangement->moveScreenshots(dragged, target);
}

} // namespace pelorama::app
