#pragma once

#include "document/ScreenshotList.h"
#include "foundation/CoalescedPerform.h"
#include "store/ManagedObjectID.h"
#include "store/StoreForward.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QUndoStack>
#include <vector>

namespace pelorama::model {
class DocumentSelection;
class Screenshot;
} // namespace pelorama::model

namespace pelorama::app {

// The screenshots of a document's context in ascending "order", one row each, fetched when the model is
// made and when rearrange() is called. Afterwards the rows follow the context's reports of its changes
// without fetching again: screenshots inserted get rows, those deleted lose theirs, and rows whose
// screenshots changed are sorted again; rows are inserted, moved and removed one by one, so views keep
// what they show for the rows that stay.
//
// Each screenshot has a count of its changes: whenever the context reports a change of the screenshot,
// of one of its mappings or of a drawable they map, the count rises and the row reports it as changed
// (dataChanged). A drawable is found on its screenshot through the mapping that names it, so one change
// touches one row, whatever the length of the list.
//
// The model keeps the document's selection on screenshots it holds: when the selected ones go, the
// screenshot now at the first selected row (or the last one) is selected instead, so a list with
// screenshots always has a selection. An undo or redo step of the context's undo stack that brings
// screenshots back (a paste redone, a deletion undone) selects the last of them, as the step did.
//
// Rows are reordered by dragging: a drag carries a keyed archive of the dragged screenshots' object ID
// URIs under the type "Screenshot", and a drop moves them, in their order, above the row it lands on and
// numbers every row 0, 1, 2, ... in the new sequence (ScreenshotOrdering), as one step to undo. Main
// thread only.
class ScreenshotListModel : public QAbstractListModel, public document::ScreenshotList
{
    Q_OBJECT

public:
    // The row's screenshot, a model::Screenshot*.
    static constexpr int screenshotRole = Qt::UserRole + 1;
    // The count of the row's screenshot's changes, a quint64 that only rises.
    static constexpr int changesRole = Qt::UserRole + 2;

    ScreenshotListModel(store::ManagedObjectContext& context, model::DocumentSelection& selection,
                        QObject* parent = nullptr);
    ~ScreenshotListModel() override;

    // The drag type: the entity name.
    static QString mimeType();

    const QList<model::Screenshot*>& screenshots() const { return m_screenshots; }
    model::Screenshot* screenshotAt(int row) const;
    // The row of screenshot, or -1.
    int rowOf(const model::Screenshot* screenshot) const;

    // Fetches the screenshots again and puts the rows in their order.
    void rearrange();
    // While rows change; a view's own selection is not yet the document's then.
    bool isRearranging() const { return m_rearranging; }

    // Moves screenshots above row (counted in the list as it stands, with them still in it; the row
    // count puts them last), keeping their order, and numbers every row again, also when none of them
    // is in the list. False only when the list is empty.
    bool moveScreenshots(const QList<model::Screenshot*>& screenshots, int row);

    // document::ScreenshotList
    QList<model::Screenshot*> arrangedScreenshots() const override { return m_screenshots; }
    model::Screenshot* selectedScreenshot() const override;
    void selectScreenshot(model::Screenshot& screenshot) override;
    void removeScreenshot(model::Screenshot& screenshot) override;

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override { return {mimeType()}; }
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    // A drop on a row (parent is that row) goes above it; row -1 on no row goes last.
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    void contextDidChange(const store::ObjectChanges& changes);
    // The screenshot whose picture object is part of: itself, a mapping's screenshot, or the screenshot
    // of the mapping that names a drawable; null for anything else.
    model::Screenshot* screenshotShowing(store::ManagedObject& object);
    void noteMappings(const store::ObjectChanges& changes);
    void indexMappings();
    QList<model::Screenshot*> fetchScreenshots() const;
    void moveRowsTo(const QList<model::Screenshot*>& screenshots);
    // Rows for screenshots, keeping the selection on those that stay.
    void arrange(const QList<model::Screenshot*>& screenshots);
    // Removes the rows of deleted screenshots, adds those inserted at their places and sorts the rows
    // again when a screenshot of theirs changed its place; answers whether any did. Nothing is fetched.
    bool takeIn(const store::ObjectChanges& changes);
    void keepSelection(const QList<model::Screenshot*>& selected, int firstSelectedRow);
    // Notes the keys of the row's screenshot that change until the context reports them.
    void watchKeys(model::Screenshot& screenshot);
    // A screenshot that came into the list: selected if an undo or redo step brought it, which the
    // undo stack tells before this pass of the event loop ends.
    void noteBroughtIn(model::Screenshot& screenshot);
    void selectBroughtIn();

    // Which keys of a screenshot were stored into since the context last reported its changes: a
    // screenshot reported updated with its order alone shows the same picture.
    enum KeysHeard
    {
        none,
        orderOnly,
        otherKeys
    };

    QPointer<store::ManagedObjectContext> m_context;
    model::DocumentSelection& m_selection;
    QList<model::Screenshot*> m_screenshots;
    bool m_rearranging = false;
    QHash<store::ManagedObjectID, quint64> m_changes;
    quint64 m_changeCount = 0;
    // By identifier, the screenshot each mapped drawable is on; filled from every mapping on the first
    // change of a drawable, then kept up to date from the mappings that change.
    QHash<QString, QPointer<model::Screenshot>> m_mappedScreenshots;
    bool m_mappingsIndexed = false;
    QHash<const model::Screenshot*, QMetaObject::Connection> m_keyWatches;
    QHash<const model::Screenshot*, KeysHeard> m_heardKeys;
    QPointer<model::Screenshot> m_broughtIn;
    foundation::CoalescedPerform m_forgetBroughtIn;
    QPointer<QUndoStack> m_undoStack;
};

} // namespace pelorama::app
