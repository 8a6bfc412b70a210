#include "templates/picker/CollectionView.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

namespace pelorama::templates {

CollectionViewItem::CollectionViewItem(QWidget* parent)
    : QWidget(parent)
{}

void CollectionViewItem::setSelected(bool selected)
{
    m_selected = selected;
}

CollectionView* CollectionViewItem::collectionView() const
{
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* view = qobject_cast<CollectionView*>(ancestor))
            return view;
    }
    return nullptr;
}

void CollectionViewItem::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (CollectionView* view = collectionView()) {
        if (const std::optional<IndexPath> path = view->indexPath(this))
            view->selectItems({*path});
    }
    event->accept();
}

CollectionView::CollectionView(QWidget* parent)
    : QScrollArea(parent)
    , m_content(new QWidget)
{
    setWidget(m_content);
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    m_content->setAutoFillBackground(true);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CollectionView::pinHeaders);
}

CollectionView::~CollectionView() = default;

void CollectionView::setSectionHeadersPinToVisibleBounds(bool pins)
{
    m_pinsHeaders = pins;
    layoutContent();
}

int CollectionView::numberOfItems(int section) const
{
    return section >= 0 && section < numberOfSections() ? int(m_sections[size_t(section)].items.size()) : 0;
}

CollectionViewItem* CollectionView::item(IndexPath path) const
{
    if (path.section < 0 || path.section >= numberOfSections() || path.item < 0 ||
        path.item >= numberOfItems(path.section))
        return nullptr;
    return m_sections[size_t(path.section)].items[size_t(path.item)];
}

std::optional<IndexPath> CollectionView::indexPath(const CollectionViewItem* wanted) const
{
    for (size_t section = 0; section < m_sections.size(); ++section) {
        const auto& items = m_sections[section].items;
        for (size_t index = 0; index < items.size(); ++index) {
            if (items[index] == wanted)
                return IndexPath{int(section), int(index)};
        }
    }
    return std::nullopt;
}

QWidget* CollectionView::supplementaryView(int section) const
{
    return section >= 0 && section < numberOfSections() ? m_sections[size_t(section)].header.data() : nullptr;
}

void CollectionView::reloadData()
{
    for (Section& section : m_sections) {
        delete section.header;
        for (auto& item : section.items)
            delete item;
    }
    m_sections.clear();
    const bool hadSelection = !m_selection.empty();
    m_selection.clear();
    if (m_dataSource) {
        const int sections = m_dataSource->numberOfSections(*this);
        for (int s = 0; s < sections; ++s) {
            Section section;
            section.header = m_dataSource->makeSupplementaryView(
                *this, QString::fromLatin1(CollectionViewDataSource::sectionHeaderKind), {s, 0});
            if (section.header)
                section.header->setParent(m_content);
            const int items = m_dataSource->numberOfItems(*this, s);
            for (int i = 0; i < items; ++i) {
                CollectionViewItem* item = m_dataSource->makeItem(*this, {s, i});
                if (item) {
                    item->setParent(m_content);
                    item->resize(m_dataSource->sizeForItem(*this, {s, i}));
                }
                section.items.emplace_back(item);
            }
            m_sections.push_back(std::move(section));
        }
    }
    layoutContent();
    for (Section& section : m_sections) {
        for (auto& item : section.items) {
            if (item)
                item->show();
        }
        if (section.header) {
            section.header->show();
            section.header->raise();
        }
    }
    verticalScrollBar()->setValue(0);
    if (hadSelection)
        emit selectionDidChange();
}

void CollectionView::layoutContent()
{
    const int width = viewport()->width();
    int y = 0;
    for (Section& section : m_sections) {
        section.top = y;
        const int headerHeight = section.header ? section.header->sizeHint().height() : 0;
        y += headerHeight + spacing;
        int x = margin;
        int rowHeight = 0;
        for (auto& item : section.items) {
            if (!item)
                continue;
            const QSize size = item->size();
            if (x > margin && x + size.width() > width - margin) {
                x = margin;
                y += rowHeight + spacing;
                rowHeight = 0;
            }
            item->move(x, y);
            x += size.width() + spacing;
            rowHeight = std::max(rowHeight, size.height());
        }
        y += rowHeight + margin;
        section.bottom = y;
        if (section.header)
            section.header->setGeometry(0, section.top, width, headerHeight);
    }
    m_content->resize(width, std::max(y, viewport()->height()));
    pinHeaders();
}

void CollectionView::pinHeaders()
{
    if (!m_pinsHeaders)
        return;
    const int visibleTop = verticalScrollBar()->value();
    for (Section& section : m_sections) {
        if (!section.header)
            continue;
        const int headerHeight = section.header->height();
        const int top =
            std::clamp(visibleTop, section.top, std::max(section.top, section.bottom - headerHeight));
        section.header->move(0, top);
        section.header->raise();
    }
}

void CollectionView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    layoutContent();
}

void CollectionView::selectItems(const std::vector<IndexPath>& indexPaths)
{
    std::vector<IndexPath> valid;
    for (const IndexPath& path : indexPaths) {
        if (item(path))
            valid.push_back(path);
    }
    if (m_dataSource)
        valid = m_dataSource->shouldSelectItems(*this, valid);
    if (valid.empty())
        return;
    // One item at a time: the last one asked for.
    m_selection = {valid.back()};
    applySelection();
    emit selectionDidChange();
}

void CollectionView::deselectAll()
{
    m_selection.clear();
    applySelection();
    emit selectionDidChange();
}

void CollectionView::applySelection()
{
    for (size_t s = 0; s < m_sections.size(); ++s) {
        for (size_t i = 0; i < m_sections[s].items.size(); ++i) {
            CollectionViewItem* item = m_sections[s].items[i];
            if (!item)
                continue;
            const bool selected = std::find(m_selection.begin(), m_selection.end(),
                                            IndexPath{int(s), int(i)}) != m_selection.end();
            if (item->isSelected() != selected)
                item->setSelected(selected);
        }
    }
}

void CollectionView::scrollToItem(IndexPath indexPath)
{
    if (CollectionViewItem* shown = item(indexPath))
        ensureWidgetVisible(shown, 0, 40);
}

} // namespace pelorama::templates
