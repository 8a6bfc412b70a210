#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QPointer>
#include <memory>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {
class ScreenshotArrangement;
} // namespace pelorama::document

namespace pelorama::app {

class ScreenshotChangeCounter;

// The document's arrangement of screenshots (document::ScreenshotArrangement) as rows for the list view:
// one row per screenshot, inserted, moved and removed one by one as the arrangement changes, so views
// keep what they show for the rows that stay.
//
// When a screenshot's count of changes rises (ScreenshotChangeCounter), its row reports it as changed
// (dataChanged).
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
    // Rows for the arrangement's screenshots.
    void followArrangement();
    void screenshotsChanged(const QList<model::Screenshot*>& screenshots);

    QPointer<document::ScreenshotArrangement> m_arrangement;
    // The arrangement's screenshots as the rows stand.
    QList<model::Screenshot*> m_screenshots;
    bool m_rearranging = false;
    // Made after the arrangement, so it hears of the context's changes once the rows follow them.
    std::unique_ptr<ScreenshotChangeCounter> m_changes;
};

} // namespace pelorama::app
