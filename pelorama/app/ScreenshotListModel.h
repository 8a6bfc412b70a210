#pragma once

#include "store/ManagedObjectID.h"
#include "store/StoreForward.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QPointer>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {
class ScreenshotArrangement;
} // namespace pelorama::document

namespace pelorama::app {

// The document's arrangement of screenshots (document::ScreenshotArrangement) as rows for the list view:
// one row per screenshot, inserted, moved and removed one by one as the arrangement changes, so views
// keep what they show for the rows that stay.
//
// Each screenshot has a count of its changes: whenever the context reports a change of the screenshot,
// of one of its mappings or of a drawable they map, the count rises and the row reports it as changed
// (dataChanged). A drawable is found on its screenshot through the mapping that names it, so one change
// touches one row, whatever the length of the list.
//
// Rows are reordered by dragging: a drag carries a keyed archive of the dragged screenshots' object ID
// URIs under the type "Screenshot", and a drop moves them above the row it lands on through the
// arrangement. Main thread only.
class ScreenshotListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // The row's screenshot, a model::Screenshot*.
    static constexpr int screenshotRole = Qt::UserRole + 1;
    // The count of the row's screenshot's changes, a quint64 that only rises.
    static constexpr int changesRole = Qt::UserRole + 2;

    explicit ScreenshotListModel(document::ScreenshotArrangement& arrangement, QObject* parent = nullptr);
    ~ScreenshotListModel() override;

    // The drag type: the entity name.
    static QString mimeType();

    model::Screenshot* screenshotAt(int row) const;
    // The row of screenshot, or -1.
    int rowOf(const model::Screenshot* screenshot) const;

    // While rows change; a view's own selection is not yet the document's then.
    bool isRearranging() const { return m_rearranging; }

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
    // Rows for the arrangement's screenshots.
    void followArrangement();
    // Notes the keys of the row's screenshot that change until the context reports them.
    void watchKeys(model::Screenshot& screenshot);

    // Which keys of a screenshot were stored into since the context last reported its changes: a
    // screenshot reported updated with its order alone shows the same picture.
    enum KeysHeard
    {
        none,
        orderOnly,
        otherKeys
    };

    QPointer<document::ScreenshotArrangement> m_arrangement;
    QPointer<store::ManagedObjectContext> m_context;
    // The arrangement's screenshots as the rows stand.
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
};

} // namespace pelorama::app
