#pragma once

#include "app/list/ScreenshotListModel.h"
#include "canvas/ScreenshotThumbnails.h"
#include "foundation/CoalescedPerform.h"
#include "model/selection/DocumentSelection.h"

#include <QListView>
#include <QPointer>

namespace pelorama::app {

// The left pane of a document window: one row per screenshot of the document's list model, each showing
// its thumbnail (ScreenshotListDelegate). Thumbnails are rendered off the main thread (ScreenshotThumbnails)
// once their row is wanted: the rows on screen first, in order, then the others by their distance from
// the screen, again whenever the list scrolls, changes size or its rows or their screenshots change. A
// row's picture is rendered again only when the model counts a change of its screenshot. The rows selected
// are the document's selected screenshots, both ways: a click selects in the document, and a selection made
// elsewhere shows here, scrolled into view, as it stays after rows come, go or move (a paste, an undo).
// While the list has rows, one stays selected.
//
// Rows are reordered by dragging them within the list (Qt's internal move); the model moves them. While
// a drag is over the list, a line in the highlight colour marks the gap the rows would go into; a drop
// on the middle of a row goes above it. Drags from anywhere else are refused.
class ScreenshotListView : public QListView
{
    Q_OBJECT

public:
    ScreenshotListView(ScreenshotListModel& model, model::DocumentSelection& selection,
                       QWidget* parent = nullptr);
    ~ScreenshotListView() override;

    ScreenshotListModel* screenshotModel() const { return m_model; }
    canvas::ScreenshotThumbnails& thumbnails() { return m_thumbnails; }
    // The rows on screen, first to last; empty without rows.
    std::pair<int, int> shownRows() const;
    // Whether every row on screen shows a picture of its screenshot as it is now.
    bool showsCurrentThumbnails() const;

    // The gap a drop at position (viewport coordinates) goes into, as the row the dropped rows go
    // above (the row count: below the last). The upper or lower quarter of a row is the gap above or
    // below it; its middle, the gap above it.
    int dropRow(const QPoint& position) const;

    // Renders the thumbnail of the selected screenshot again when its row is on screen and the screenshot
    // no longer looks as its picture shows.
    void refreshSelectedThumbnail();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool acceptsDrop(const QDropEvent* event) const;
    void wantThumbnails();
    void rowsDidChange(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles);
    void showPicture(model::Screenshot* screenshot);
    void showDocumentSelection();
    // Scrolls the first selected row into view.
    void revealSelection();
    void viewSelectionDidChange();

    QPointer<ScreenshotListModel> m_model;
    QPointer<model::DocumentSelection> m_selection;
    canvas::ScreenshotThumbnails m_thumbnails;
    foundation::CoalescedPerform m_wantThumbnails;
    foundation::CoalescedPerform m_revealSelection;
    bool m_showingDocumentSelection = false;
    int m_gapRow = -1; // the gap a drop would go into, while a drag is over the list
};

} // namespace pelorama::app
