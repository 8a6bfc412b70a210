#pragma once

#include "foundation/CoalescedPerform.h"
#include "foundation/KeyValueObservation.h"
#include "store/ManagedObjectContext.h"
#include "store/SortDescriptor.h"

#include <QAbstractListModel>
#include <QList>
#include <QPointer>

namespace store {
class ManagedObject;
struct ObjectChanges;
} // namespace store

namespace pelorama::app {

// The objects of one entity of a context, arranged by sort descriptors, as the rows of a list, with a
// selection kept by object: when the arrangement changes the same objects stay selected. Objects of the
// entity inserted, deleted or changed in the context are taken in when the context reports its changes;
// a changed sort key of an arranged object rearranges the list on the next pass of the event loop.
// When the selected objects go away, the object now at the first selected row (or the last one) is
// selected instead, so a list with objects always has a selection. Main thread only.
class ArrayController : public QAbstractListModel
{
    Q_OBJECT

public:
    // The row's object, a store::ManagedObject*.
    static constexpr int objectRole = Qt::UserRole + 1;

    ArrayController(store::ManagedObjectContext& context, QString entityName, QObject* parent = nullptr);

    const QString& entityName() const { return m_entityName; }
    store::ManagedObjectContext* managedObjectContext() const { return m_context; }

    const QList<store::SortDescriptor>& sortDescriptors() const { return m_sortDescriptors; }
    void setSortDescriptors(QList<store::SortDescriptor> descriptors);

    const QList<store::ManagedObject*>& arrangedObjects() const { return m_arrangedObjects; }
    // Fetches the objects again and sorts them; rows are inserted, moved and removed one by one, and the
    // selection follows its objects once they are all in place.
    void rearrangeObjects();
    // While rows change; a view's own selection is not yet the controller's then.
    bool isRearranging() const { return m_rearranging; }

    // Ascending row numbers.
    const QList<int>& selectionIndexes() const { return m_selectionIndexes; }
    // Selects rows (those out of range are dropped); notifies also when nothing changed.
    void setSelectionIndexes(QList<int> indexes);
    QList<store::ManagedObject*> selectedObjects() const;
    void setSelectedObjects(const QList<store::ManagedObject*>& objects);
    // Deletes object from the context; the list follows at once.
    void removeObject(store::ManagedObject* object);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override { return {m_entityName}; }

signals:
    void selectionIndexesChanged();

private:
    void contextDidChange(const store::ObjectChanges& changes);
    QList<store::ManagedObject*> fetchArranged() const;
    void moveRowsTo(const QList<store::ManagedObject*>& arranged);
    // A change of an arranged object's sort key rearranges the list on the next pass of the event loop.
    void observeSortKeys();

    QPointer<store::ManagedObjectContext> m_context;
    QString m_entityName;
    QList<store::SortDescriptor> m_sortDescriptors;
    QList<store::ManagedObject*> m_arrangedObjects;
    QList<int> m_selectionIndexes;
    bool m_rearranging = false;
    foundation::CoalescedPerform m_rearrange;
    QList<store::ManagedObject*> m_observedObjects;
    std::vector<foundation::KeyValueObservation> m_sortKeyObservations;
};

} // namespace pelorama::app
