#pragma once

#include "app/ScreenshotListModel.h"
#include "model/entities/DocumentSelection.h"

#include <QListView>
#include <QPointer>

namespace pelorama::app {

class ScreenshotListCell;

// The left pane of a document window: one row per screenshot of the document's list model, each showing
// its thumbnail. The rows selected are the document's selected screenshots, both ways: a click selects
// in the document, and a selection made elsewhere shows here. While the list has rows, one stays
// selected.
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
    // The widget of row, when it exists; never makes one.
    ScreenshotListCell* cellAt(int row) const;

    // The gap a drop at position (viewport coordinates) goes into, as the row the dropped rows go
    // above (the row count: below the last). The upper or lower quarter of a row is the gap above or
    // below it; its middle, the gap above it.
    int dropRow(const QPoint& position) const;

    // Renders the thumbnail of the selected screenshot again, when its row is on screen.
    void refreshSelectedThumbnail();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool acceptsDrop(const QDropEvent* event) const;
    void makeMissingCells();
    void showDocumentSelection();
    void viewSelectionDidChange();

    QPointer<ScreenshotListModel> m_model;
    QPointer<model::DocumentSelection> m_selection;
    bool m_showingDocumentSelection = false;
    int m_gapRow = -1; // the gap a drop would go into, while a drag is over the list
};

} // namespace pelorama::app
