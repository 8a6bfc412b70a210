#include "app/list/ScreenshotListView.h"

#include "app/list/ScreenshotListDelegate.h"
#include "app/list/ScreenshotListModel.h"
#include "model/entities/Screenshot.h"
#include "model/selection/DocumentSelection.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace pelorama::app {

ScreenshotListView::ScreenshotListView(ScreenshotListModel& model, model::DocumentSelection& selection,
                                       QWidget* parent)
    : QListView(parent)
    , m_model(&model)
    , m_selection(&selection)
    , m_wantThumbnails([this] { wantThumbnails(); })
    , m_revealSelection([this] { revealSelection(); })
{
    setObjectName(QStringLiteral("screenshotList"));
    // Static movement turns dragging off, and the viewport's drops with it: it must come first.
    setMovement(QListView::Static);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false); // the view draws its own gap
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    // Rows, and the thumbnails in them, follow the width of the pane.
    setResizeMode(QListView::Adjust);
    setFrameShape(QFrame::NoFrame);
    setMinimumWidth(170);
    setItemDelegate(new ScreenshotListDelegate(m_thumbnails, this));
    setModel(&model);

    const auto want = [this] {
        m_wantThumbnails.request();
    };
    // Rows that come, go or move take the selected one along, or out of view.
    const auto rowsChanged = [this] {
        m_wantThumbnails.request();
        m_revealSelection.request();
    };
    connect(&model, &QAbstractItemModel::rowsInserted, this, rowsChanged);
    connect(&model, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
    connect(&model, &QAbstractItemModel::rowsMoved, this, rowsChanged);
    connect(&model, &QAbstractItemModel::modelReset, this, rowsChanged);
    connect(&model, &QAbstractItemModel::layoutChanged, this, rowsChanged);
    connect(&model, &QAbstractItemModel::dataChanged, this, &ScreenshotListView::rowsDidChange);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, want);
    connect(&m_thumbnails, &canvas::ScreenshotThumbnails::pictureChanged, this,
            &ScreenshotListView::showPicture);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ScreenshotListView::viewSelectionDidChange);
    connect(&selection, &model::DocumentSelection::screenshotsChanged, this,
            &ScreenshotListView::showDocumentSelection);
    // The rows on screen are rendered in the new language first, in the background.
    connect(&selection, &model::DocumentSelection::languageChanged, this, [this] {
        if (m_selection)
            m_thumbnails.setLanguage(m_selection->language());
    });
    m_thumbnails.setLanguage(selection.language());
    showDocumentSelection();
    m_wantThumbnails.request();
}

ScreenshotListView::~ScreenshotListView() = default;

std::pair<int, int> ScreenshotListView::shownRows() const
{
    const int count = m_model ? m_model->rowCount() : 0;
    if (count == 0)
        return {0, -1};
    const QModelIndex first = indexAt(QPoint(1, 0));
    const QModelIndex last = indexAt(QPoint(1, std::max(0, viewport()->height() - 1)));
    return {first.isValid() ? first.row() : 0, last.isValid() ? last.row() : count - 1};
}

bool ScreenshotListView::showsCurrentThumbnails() const
{
    if (!m_model || m_wantThumbnails.isPending())
        return false;
    const auto [first, last] = shownRows();
    for (int row = first; row <= last; ++row) {
        const model::Screenshot* screenshot = m_model->screenshotAt(row);
        const quint64 changes = m_model->index(row).data(ScreenshotListModel::changesRole).toULongLong();
        if (!screenshot || !m_thumbnails.shows(*screenshot, changes))
            return false;
    }
    return true;
}

void ScreenshotListView::rowsDidChange(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                       const QList<int>& roles)
{
    if (!m_model || (!roles.isEmpty() && !roles.contains(ScreenshotListModel::changesRole)))
        return;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        if (const model::Screenshot* screenshot = m_model->screenshotAt(row))
            m_thumbnails.screenshotDidChange(
                *screenshot, m_model->index(row).data(ScreenshotListModel::changesRole).toULongLong());
    }
}

void ScreenshotListView::wantThumbnails()
{
    if (!m_model)
        return;
    // The rows on screen in order, then the others nearest first, alternating below and above.
    const int count = m_model->rowCount();
    const auto [first, last] = shownRows();
    std::vector<canvas::ScreenshotThumbnails::Wanted> wanted;
    wanted.reserve(std::size_t(count));
    const auto add = [&](int row) {
        const QModelIndex index = m_model->index(row);
        wanted.push_back(
            {m_model->screenshotAt(row), index.data(ScreenshotListModel::changesRole).toULongLong()});
    };
    for (int row = first; row <= last; ++row)
        add(row);
    const std::size_t shown = wanted.size();
    for (int distance = 1; first - distance >= 0 || last + distance < count; ++distance) {
        if (last + distance < count)
            add(last + distance);
        if (first - distance >= 0)
            add(first - distance);
    }
    m_thumbnails.want(wanted, shown);
}

void ScreenshotListView::showPicture(model::Screenshot* screenshot)
{
    if (const int row = m_model ? m_model->rowOf(screenshot) : -1; row >= 0)
        viewport()->update(visualRect(m_model->index(row)));
}

void ScreenshotListView::showDocumentSelection()
{
    if (!m_model || !m_selection)
        return;
    m_showingDocumentSelection = true;
    QItemSelection rows;
    for (model::Screenshot* screenshot : m_selection->screenshots()) {
        if (const int row = m_model->rowOf(screenshot); row >= 0)
            rows.select(m_model->index(row), m_model->index(row));
    }
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    if (const int first = m_model->rowOf(m_selection->screenshot()); first >= 0) {
        selectionModel()->setCurrentIndex(m_model->index(first), QItemSelectionModel::NoUpdate);
        scrollTo(m_model->index(first));
    }
    m_showingDocumentSelection = false;
    // Rows that came in this pass are laid out only later; until then the list cannot scroll to them.
    m_revealSelection.request();
}

void ScreenshotListView::revealSelection()
{
    if (!m_model || !m_selection)
        return;
    if (const int first = m_model->rowOf(m_selection->screenshot()); first >= 0)
        scrollTo(m_model->index(first));
}

void ScreenshotListView::viewSelectionDidChange()
{
    if (m_showingDocumentSelection || !m_model || !m_selection || m_model->isRearranging())
        return;
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && m_model->rowCount() > 0) {
        // The list keeps a selection while it has rows.
        showDocumentSelection();
        return;
    }
    std::sort(rows.begin(), rows.end());
    QList<model::Screenshot*> screenshots;
    for (int row : rows)
        screenshots.append(m_model->screenshotAt(row));
    m_selection->setScreenshots(screenshots);
}

void ScreenshotListView::refreshSelectedThumbnail()
{
    if (!m_model || !m_selection)
        return;
    model::Screenshot* selected = m_selection->screenshot();
    const int row = m_model->rowOf(selected);
    if (row < 0 || !visualRect(m_model->index(row)).intersects(viewport()->rect()))
        return;
    m_thumbnails.verify(*selected);
}

int ScreenshotListView::dropRow(const QPoint& position) const
{
    const int count = model() ? model()->rowCount() : 0;
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return count;
    const QRect row = visualRect(index);
    const int quarter = std::max(1, row.height() / 4);
    if (position.y() > row.bottom() - quarter)
        return index.row() + 1;
    return index.row();
}

void ScreenshotListView::startDrag(Qt::DropActions)
{
    QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty() || !model())
        return;
    std::sort(indexes.begin(), indexes.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QMimeData* data = model()->mimeData(indexes);
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QRect row = visualRect(indexes.first()).intersected(viewport()->rect());
    if (!row.isEmpty())
        drag->setPixmap(
            viewport()->grab(row).scaledToWidth(std::min(row.width(), 120), Qt::SmoothTransformation));
    // The model moves the rows at the drop, so nothing is left to remove here afterwards.
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

bool ScreenshotListView::acceptsDrop(const QDropEvent* event) const
{
    return event->source() == this && model() &&
           model()->canDropMimeData(event->mimeData(), Qt::MoveAction, -1, -1, {});
}

void ScreenshotListView::dragEnterEvent(QDragEnterEvent* event)
{
    QListView::dragEnterEvent(event);
    dragMoveEvent(event);
}

void ScreenshotListView::dragMoveEvent(QDragMoveEvent* event)
{
    // The base scrolls the list near its edges.
    QListView::dragMoveEvent(event);
    if (!acceptsDrop(event)) {
        m_gapRow = -1;
        event->ignore();
    } else {
        m_gapRow = dropRow(event->position().toPoint());
        event->setDropAction(Qt::MoveAction);
        event->accept();
    }
    viewport()->update();
}

void ScreenshotListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_gapRow = -1;
    QListView::dragLeaveEvent(event);
}

void ScreenshotListView::dropEvent(QDropEvent* event)
{
    m_gapRow = -1;
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    if (!acceptsDrop(event) || !model()->dropMimeData(event->mimeData(), Qt::MoveAction,
                                                      dropRow(event->position().toPoint()), 0, {})) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ScreenshotListView::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    m_wantThumbnails.request();
}

void ScreenshotListView::showEvent(QShowEvent* event)
{
    QListView::showEvent(event);
    m_wantThumbnails.request();
}

void ScreenshotListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (m_gapRow < 0 || !model())
        return;
    const int count = model()->rowCount();
    int y = 0;
    if (m_gapRow < count)
        y = visualRect(model()->index(m_gapRow, 0)).top();
    else if (count > 0)
        y = visualRect(model()->index(count - 1, 0)).bottom();
    // The line is two pixels thick: at the top and bottom of the list it stays whole.
    y = std::clamp(y, 1, std::max(1, viewport()->height() - 1));
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().highlight().color(), 2));
    painter.drawLine(QPointF(4, y), QPointF(viewport()->width() - 4, y));
}

} // namespace pelorama::app
