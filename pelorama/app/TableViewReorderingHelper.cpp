#include "app/TableViewReorderingHelper.h"

#include "app/ArrayController.h"
#include "app/TableView.h"
#include "foundation/Diagnostics.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyedArchiver.h"
#include "foundation/KeyedUnarchiver.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "store/ScopedUndoGroup.h"

#include <QMimeData>
#include <QUrl>
#include <optional>

namespace pelorama::app {

TableViewReorderingHelper::TableViewReorderingHelper(QObject* parent)
    : QObject(parent)
{}

ArrayController* TableViewReorderingHelper::arrayController(const TableView& tableView)
{
    ArrayController* controller = tableView.contentArrayController();
    if (!controller || controller->entityName().isEmpty()) {
        foundation::warning(
            QStringLiteral("Could not find array controller through content binding of table view!"));
        return nullptr;
    }
    return controller;
}

void TableViewReorderingHelper::setup(TableView& tableView)
{
    ArrayController* controller = arrayController(tableView);
    if (!controller)
        return;
    controller->setSortDescriptors({store::SortDescriptor{QStringLiteral("order"), true}});
    tableView.registerForDraggedTypes({controller->entityName()});
    tableView.setDraggingSourceOperationMaskForLocal(Qt::MoveAction);
}

bool TableViewReorderingHelper::writeRows(TableView& tableView, const QList<int>& rows, QMimeData& pasteboard)
{
    ArrayController* controller = arrayController(tableView);
    if (!controller)
        return false;
    const QList<store::ManagedObject*>& arranged = controller->arrangedObjects();
    QVariantList uris;
    for (int row : rows) {
        if (row >= 0 && row < arranged.size())
            uris.append(arranged[row]->objectID().uriRepresentation());
    }
    const auto archive = foundation::KeyedArchiver().archivedData(uris);
    pasteboard.clear();
    if (archive)
        pasteboard.setData(controller->entityName(), *archive);
    return true;
}

Qt::DropAction TableViewReorderingHelper::validateDrop(TableView& tableView, DraggingInfo& info,
                                                       int proposedRow, DropOperation operation)
{
    if (info.source != &tableView && info.source != tableView.viewport())
        return Qt::IgnoreAction;
    if (operation == DropOperation::On)
        info.setDropRow(proposedRow, DropOperation::Above);
    return Qt::MoveAction;
}

bool TableViewReorderingHelper::acceptDrop(TableView& tableView, const DraggingInfo& info, int row,
                                           DropOperation)
{
    ArrayController* controller = arrayController(tableView);
    if (!controller || !info.pasteboard)
        return false;
    const QString type = controller->entityName();
    if (!info.pasteboard->hasFormat(type))
        return false;
    const auto unarchived = foundation::KeyedUnarchiver({QStringLiteral("Array"), QStringLiteral("URL")})
                                .unarchivedObject(info.pasteboard->data(type));
    if (!unarchived || unarchived->typeId() != QMetaType::QVariantList)
        return false;

    store::ManagedObjectContext* context = controller->managedObjectContext();
    store::PersistentStoreCoordinator* coordinator =
        context ? context->persistentStoreCoordinator() : nullptr;
    if (!context || !coordinator) {
        foundation::warning(
            QStringLiteral("Could not resolve managed object context and/or persistent store coordinator!"));
        return false;
    }
    QList<store::ManagedObject*> dragged;
    for (const QVariant& value : unarchived->toList()) {
        const std::optional<store::ManagedObjectID> id =
            coordinator->managedObjectIDForURIRepresentation(value.toUrl());
        if (!id)
            continue;
        if (store::ManagedObject* object = context->objectWithID(*id))
            dragged.append(object);
    }

    const QList<store::ManagedObject*>& arranged = controller->arrangedObjects();
    if (arranged.isEmpty())
        return false;
    // Dragged rows leave holes first, so row still counts the rows as the user saw them.
    QList<store::ManagedObject*> sequence = arranged;
    for (store::ManagedObject* object : dragged) {
        if (const qsizetype at = sequence.indexOf(object); at >= 0)
            sequence[at] = nullptr;
    }
    if (row >= 0 && row < sequence.size()) {
        for (qsizetype i = 0; i < dragged.size(); ++i)
            sequence.insert(row + i, dragged[i]);
    } else {
        sequence.append(dragged);
    }
    sequence.removeAll(nullptr);
    {
        // The renumbering is one step to undo, apart from whatever else happened in this pass.
        const store::ScopedUndoGroup step(*context);
        int order = 0;
        for (store::ManagedObject* object : sequence)
            object->setValueForKey(double(order++), QStringLiteral("order"));
    }
    controller->rearrangeObjects();
    return true;
}

} // namespace pelorama::app
