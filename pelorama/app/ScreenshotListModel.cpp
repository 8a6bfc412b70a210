#include "app/ScreenshotListModel.h"

#include "document/ScreenshotOrdering.h"
#include "foundation/Diagnostics.h"
#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "model/entities/DocumentSelection.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/IdentifiedEntity.h"
#include "model/entities/Screenshot.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"
#include "store/ObjectChanges.h"
#include "store/PersistentStoreCoordinator.h"
#include "store/ScopedUndoGroup.h"

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

ScreenshotListModel::ScreenshotListModel(store::ManagedObjectContext& context,
                                         model::DocumentSelection& selection, QObject* parent)
    : QAbstractListModel(parent)
    , m_context(&context)
    , m_selection(selection)
    , m_forgetBroughtIn([this] { m_broughtIn = nullptr; })
{
    connect(&context, &store::ManagedObjectContext::objectsDidChange, this,
            &ScreenshotListModel::contextDidChange);
    rearrange();
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

QList<model::Screenshot*> ScreenshotListModel::fetchScreenshots() const
{
    if (!m_context)
        return {};
    store::FetchRequest request(entityName);
    request.sortDescriptors = {store::SortDescriptor{orderKey, true}};
    auto fetched = m_context->execute(request);
    if (!fetched) {
        foundation::warning(
            QStringLiteral("Could not fetch screenshots (%1)").arg(fetched.error().message()));
        return m_screenshots;
    }
    QList<model::Screenshot*> screenshots;
    for (store::ManagedObject* object : *fetched) {
        if (auto* screenshot = qobject_cast<model::Screenshot*>(object))
            screenshots.append(screenshot);
    }
    return screenshots;
}

void ScreenshotListModel::moveRowsTo(const QList<model::Screenshot*>& screenshots)
{
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
}

void ScreenshotListModel::rearrange()
{
    arrange(fetchScreenshots());
}

void ScreenshotListModel::arrange(const QList<model::Screenshot*>& screenshots)
{
    const QList<model::Screenshot*> selected = m_selection.screenshots();
    const int firstSelectedRow = rowOf(m_selection.screenshot());
    m_rearranging = true;
    moveRowsTo(screenshots);
    m_rearranging = false;
    keepSelection(selected, firstSelectedRow);
}

bool ScreenshotListModel::takeIn(const store::ObjectChanges& changes)
{
    QList<model::Screenshot*> screenshots = m_screenshots;
    QSet<const model::Screenshot*> deleted;
    for (store::ManagedObject* object : changes.deleted) {
        if (auto* screenshot = qobject_cast<model::Screenshot*>(object))
            deleted.insert(screenshot);
    }
    bool changed = !deleted.isEmpty() && screenshots.removeIf([&](model::Screenshot* screenshot) {
        return deleted.contains(screenshot);
    }) > 0;
    // A screenshot whose order changed may now belong elsewhere: the rows are in order as long as each
    // changed one is in order with its neighbours.
    QHash<const model::Screenshot*, int> rows;
    bool inOrder = true;
    for (store::ManagedObject* object : changes.updated) {
        auto* screenshot = qobject_cast<model::Screenshot*>(object);
        if (!screenshot || !inOrder)
            continue;
        if (rows.isEmpty()) {
            for (int row = 0; row < m_screenshots.size(); ++row)
                rows.insert(m_screenshots[row], row);
        }
        const int row = rows.value(screenshot, -1);
        if (row < 0)
            continue;
        const double order = screenshot->order();
        inOrder = !(row > 0 && m_screenshots[row - 1]->order() > order) &&
                  !(row + 1 < m_screenshots.size() && order > m_screenshots[row + 1]->order());
    }
    QList<model::Screenshot*> inserted;
    for (store::ManagedObject* object : changes.inserted) {
        auto* screenshot = qobject_cast<model::Screenshot*>(object);
        if (screenshot && !screenshot->isDeleted() && !inserted.contains(screenshot))
            inserted.append(screenshot);
    }
    if (!inserted.isEmpty()) {
        const QSet<const model::Screenshot*> present(screenshots.cbegin(), screenshots.cend());
        inserted.removeIf([&](model::Screenshot* screenshot) { return present.contains(screenshot); });
    }
    // In ascending order, as a fetch sorts them; those of equal order keep their places, and a new one
    // comes after those of its order.
    if (inOrder) {
        for (model::Screenshot* screenshot : inserted) {
            const auto at = std::upper_bound(
                screenshots.begin(), screenshots.end(), screenshot->order(),
                [](double order, const model::Screenshot* other) { return order < other->order(); });
            screenshots.insert(at, screenshot);
        }
    } else {
        screenshots.append(inserted);
        std::vector<std::pair<double, model::Screenshot*>> ordered;
        ordered.reserve(std::size_t(screenshots.size()));
        for (model::Screenshot* screenshot : screenshots)
            ordered.emplace_back(screenshot->order(), screenshot);
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        screenshots.clear();
        for (const auto& [order, screenshot] : ordered)
            screenshots.append(screenshot);
    }
    if (!inserted.isEmpty())
        noteBroughtIn(*inserted.last());
    changed = changed || !inserted.isEmpty() || !inOrder;
    if (!changed)
        return false;
    if (screenshots != m_screenshots)
        arrange(screenshots);
    return true;
}

void ScreenshotListModel::keepSelection(const QList<model::Screenshot*>& selected, int firstSelectedRow)
{
    QList<int> rows;
    for (model::Screenshot* screenshot : selected) {
        if (const int row = rowOf(screenshot); row >= 0)
            rows.append(row);
    }
    if (rows.isEmpty() && !m_screenshots.isEmpty())
        rows.append(std::clamp(firstSelectedRow, 0, int(m_screenshots.size()) - 1));
    std::sort(rows.begin(), rows.end());
    QList<model::Screenshot*> kept;
    for (int row : rows)
        kept.append(m_screenshots[row]);
    if (kept != selected)
        m_selection.setScreenshots(kept);
}

void ScreenshotListModel::contextDidChange(const store::ObjectChanges& changes)
{
    takeIn(changes);
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

void ScreenshotListModel::noteBroughtIn(model::Screenshot& screenshot)
{
    m_broughtIn = &screenshot;
    m_forgetBroughtIn.request();
    QUndoStack* stack = m_context ? m_context->undoStack() : nullptr;
    if (stack == m_undoStack)
        return;
    if (m_undoStack)
        disconnect(m_undoStack, nullptr, this, nullptr);
    m_undoStack = stack;
    if (stack)
        connect(stack, &QUndoStack::indexChanged, this, &ScreenshotListModel::selectBroughtIn);
}

void ScreenshotListModel::selectBroughtIn()
{
    // An undo or redo step reports its changes before the stack moves; a new step is pushed with its
    // first change, before the screenshots it inserts come in, and leaves its own selection.
    model::Screenshot* screenshot = m_broughtIn;
    m_broughtIn = nullptr;
    if (screenshot && !screenshot->isDeleted() && rowOf(screenshot) >= 0)
        m_selection.setScreenshot(screenshot);
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

bool ScreenshotListModel::moveScreenshots(const QList<model::Screenshot*>& screenshots, int row)
{
    if (m_screenshots.isEmpty() || !m_context)
        return false;
    // The moved screenshots leave holes first, so row still counts the rows as the user saw them.
    QList<model::Screenshot*> sequence = m_screenshots;
    QList<model::Screenshot*> moved;
    for (model::Screenshot* screenshot : screenshots) {
        if (const qsizetype at = sequence.indexOf(screenshot); at >= 0 && !moved.contains(screenshot)) {
            sequence[at] = nullptr;
            moved.append(screenshot);
        }
    }
    if (row >= 0 && row < sequence.size()) {
        for (qsizetype i = 0; i < moved.size(); ++i)
            sequence.insert(row + i, moved[i]);
    } else {
        sequence.append(moved);
    }
    sequence.removeAll(nullptr);
    {
        // Every row is numbered again, also when nothing moved; the new orders are one step to undo,
        // apart from whatever else happened in this pass.
        const store::ScopedUndoGroup step(*m_context);
        document::ScreenshotOrdering::renumber(sequence);
    }
    arrange(sequence);
    return true;
}

model::Screenshot* ScreenshotListModel::selectedScreenshot() const
{
    return m_selection.screenshot();
}

void ScreenshotListModel::selectScreenshot(model::Screenshot& screenshot)
{
    m_selection.setScreenshot(&screenshot);
}

void ScreenshotListModel::removeScreenshot(model::Screenshot& screenshot)
{
    if (!m_context)
        return;
    m_context->deleteObject(&screenshot);
    m_context->processPendingChanges();
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
    return moveScreenshots(dragged, target);
}

} // namespace pelorama::app
