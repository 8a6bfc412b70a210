#include "app/ArrayController.h"

#include "foundation/Diagnostics.h"
#include "store/FetchRequest.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ObjectChanges.h"

#include <algorithm>

namespace pelorama::app {

ArrayController::ArrayController(store::ManagedObjectContext& context, QString entityName, QObject* parent)
    : QAbstractListModel(parent)
    , m_context(&context)
    , m_entityName(std::move(entityName))
    , m_rearrange([this] { rearrangeObjects(); })
{
    connect(&context, &store::ManagedObjectContext::objectsDidChange, this,
            &ArrayController::contextDidChange);
    rearrangeObjects();
}

void ArrayController::setSortDescriptors(QList<store::SortDescriptor> descriptors)
{
    m_sortDescriptors = std::move(descriptors);
    m_observedObjects.clear();
    rearrangeObjects();
}

QList<store::ManagedObject*> ArrayController::fetchArranged() const
{
    if (!m_context)
        return {};
    store::FetchRequest request(m_entityName);
    request.sortDescriptors = m_sortDescriptors;
    auto fetched = m_context->execute(request);
    if (!fetched) {
        foundation::warning(
            QStringLiteral("Could not fetch %1 objects (%2)").arg(m_entityName, fetched.error().message()));
        return m_arrangedObjects;
    }
    return *fetched;
}

void ArrayController::moveRowsTo(const QList<store::ManagedObject*>& arranged)
{
    // Row by row, so views keep what they show for the rows that stay: objects that went are removed,
    // those that stay are moved into their new order, and new ones are inserted where they belong.
    for (int row = int(m_arrangedObjects.size()) - 1; row >= 0; --row) {
        if (arranged.contains(m_arrangedObjects[row]))
            continue;
        beginRemoveRows({}, row, row);
        m_arrangedObjects.removeAt(row);
        endRemoveRows();
    }
    QList<store::ManagedObject*> staying = arranged;
    staying.removeIf([this](store::ManagedObject* object) { return !m_arrangedObjects.contains(object); });
    for (int row = 0; row < staying.size(); ++row) {
        const int from = int(m_arrangedObjects.indexOf(staying[row]));
        if (from == row)
            continue;
        beginMoveRows({}, from, from, {}, row);
        m_arrangedObjects.move(from, row);
        endMoveRows();
    }
    for (int row = 0; row < arranged.size(); ++row) {
        if (row < m_arrangedObjects.size() && m_arrangedObjects[row] == arranged[row])
            continue;
        beginInsertRows({}, row, row);
        m_arrangedObjects.insert(row, arranged[row]);
        endInsertRows();
    }
}

void ArrayController::rearrangeObjects()
{
    const QList<store::ManagedObject*> selected = selectedObjects();
    const int firstSelected = m_selectionIndexes.isEmpty() ? -1 : m_selectionIndexes.first();
    m_rearranging = true;
    moveRowsTo(fetchArranged());
    m_rearranging = false;

    QList<int> indexes;
    for (store::ManagedObject* object : selected) {
        if (const qsizetype row = m_arrangedObjects.indexOf(object); row >= 0)
            indexes.append(int(row));
    }
    if (indexes.isEmpty() && !m_arrangedObjects.isEmpty())
        indexes.append(std::clamp(firstSelected, 0, int(m_arrangedObjects.size()) - 1));
    std::sort(indexes.begin(), indexes.end());
    QList<store::ManagedObject*> nowSelected;
    for (int row : indexes)
        nowSelected.append(m_arrangedObjects[row]);
    if (indexes != m_selectionIndexes || nowSelected != selected)
        setSelectionIndexes(indexes);
    observeSortKeys();
}

void ArrayController::observeSortKeys()
{
    if (m_observedObjects == m_arrangedObjects)
        return;
    m_sortKeyObservations.clear();
    for (store::ManagedObject* object : m_arrangedObjects) {
        for (const store::SortDescriptor& descriptor : m_sortDescriptors) {
            m_sortKeyObservations.emplace_back(object, descriptor.key,
                                               foundation::KeyValueObservation::InitialValue::skip,
                                               [this](const QVariant&) { m_rearrange.request(); });
        }
    }
    m_observedObjects = m_arrangedObjects;
}

void ArrayController::contextDidChange(const store::ObjectChanges& changes)
{
    const auto ofEntity = [this](const QList<store::ManagedObject*>& objects) {
        return std::any_of(objects.begin(), objects.end(), [this](const store::ManagedObject* object) {
            return object->objectID().entityName() == m_entityName;
        });
    };
    if (ofEntity(changes.inserted) || ofEntity(changes.deleted) || ofEntity(changes.updated))
        rearrangeObjects();
}

void ArrayController::setSelectionIndexes(QList<int> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    indexes.removeIf([this](int row) { return row < 0 || row >= m_arrangedObjects.size(); });
    m_selectionIndexes = std::move(indexes);
    emit selectionIndexesChanged();
}

QList<store::ManagedObject*> ArrayController::selectedObjects() const
{
    QList<store::ManagedObject*> objects;
    for (int row : m_selectionIndexes) {
        if (row >= 0 && row < m_arrangedObjects.size())
            objects.append(m_arrangedObjects[row]);
    }
    return objects;
}

void ArrayController::setSelectedObjects(const QList<store::ManagedObject*>& objects)
{
    QList<int> indexes;
    for (store::ManagedObject* object : objects) {
        if (const qsizetype row = m_arrangedObjects.indexOf(object); row >= 0)
            indexes.append(int(row));
    }
    setSelectionIndexes(indexes);
}

void ArrayController::removeObject(store::ManagedObject* object)
{
    if (!object || !m_context)
        return;
    m_context->deleteObject(object);
    m_context->processPendingChanges();
}

int ArrayController::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_arrangedObjects.size());
}

QVariant ArrayController::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_arrangedObjects.size())
        return {};
    if (role == objectRole)
        return QVariant::fromValue(m_arrangedObjects[index.row()]);
    return {};
}

Qt::ItemFlags ArrayController::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base | Qt::ItemIsDropEnabled;
}

} // namespace pelorama::app
