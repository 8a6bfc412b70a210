#include "app/list/ScreenshotListModel.h"

#include "app/list/ScreenshotChangeCounter.h"
#include "document/ScreenshotArrangement.h"
#include "foundation/Diagnostics.h"
#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QHash>
#include <QMimeData>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <optional>

namespace pelorama::app {
namespace {

const QString entityName = QStringLiteral("Screenshot");

} // namespace

ScreenshotListModel::ScreenshotListModel(document::ScreenshotArrangement& arrangement, QObject* parent)
    : QAbstractListModel(parent)
    , m_arrangement(&arrangement)
{
    connect(&arrangement, &document::ScreenshotArrangement::rearranged, this,
            &ScreenshotListModel::followArrangement);
    followArrangement();
    m_changes = std::make_unique<ScreenshotChangeCounter>(arrangement);
    connect(m_changes.get(), &ScreenshotChangeCounter::screenshotsChanged, this,
            &ScreenshotListModel::screenshotsChanged);
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
        endInsertRows();
    }
    m_rearranging = false;
}

void ScreenshotListModel::screenshotsChanged(const QList<model::Screenshot*>& screenshots)
{
    QHash<const model::Screenshot*, int> rows;
    for (int row = 0; row < m_screenshots.size(); ++row)
        rows.insert(m_screenshots[row], row);
    for (model::Screenshot* screenshot : screenshots) {
        if (const int row = rows.value(screenshot, -1); row >= 0)
            emit dataChanged(index(row), index(row), {changesRole, Qt::DisplayRole, Qt::ToolTipRole});
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
        return QVariant::fromValue(m_changes->changes(*screenshot));
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
    store::ManagedObjectContext* context = m_arrangement ? m_arrangement->context() : nullptr;
    store::PersistentStoreCoordinator* coordinator =
        context ? context->persistentStoreCoordinator() : nullptr;
    if (!context || !coordinator) {
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
        if (auto* screenshot = qobject_cast<model::Screenshot*>(context->objectWithID(*id)))
            dragged.append(screenshot);
    }
    const int target = parent.isValid() ? parent.row() : (row < 0 ? rowCount() : row);
    return m_arrangement && m_arrangement->moveScreenshots(dragged, target);
}

} // namespace pelorama::app
