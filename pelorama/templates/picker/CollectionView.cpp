#include "templates/picker/CollectionView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace pelorama::templates {
namespace {

// A thin dashed frame in the text colour around the item the keyboard works from: the selection fills
// its item in the highlight colour, and the frame must not pass for it.
class FocusRing : public QWidget
{
public:
    static constexpr int outset = 3;

    explicit FocusRing(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("focusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(palette().color(QPalette::Active, QPalette::WindowText), 1, Qt::CustomDashLine);
        pen.setDashPattern({3, 3});
        painter.setPen(pen);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }
};

} // namespace

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
    , m_focusRing(new FocusRing(m_content))
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
    m_current.reset();
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
    if (hasFocus() && !m_rows.empty())
        m_current = m_rows.front().front();
    placeFocusRing();
    if (hadSelection)
        emit selectionDidChange();
}

void CollectionView::layoutContent()
{
    const int width = viewport()->width();
    int y = 0;
    m_rows.clear();
    for (size_t s = 0; s < m_sections.size(); ++s) {
        Section& section = m_sections[s];
        section.top = y;
        const int headerHeight = section.header ? section.header->sizeHint().height() : 0;
        y += headerHeight + spacing;
        int x = margin;
        int rowHeight = 0;
        std::vector<IndexPath> row;
        for (size_t i = 0; i < section.items.size(); ++i) {
            CollectionViewItem* item = section.items[i];
            if (!item)
                continue;
            const QSize size = item->size();
            if (x > margin && x + size.width() > width - margin) {
                x = margin;
                y += rowHeight + spacing;
                rowHeight = 0;
                m_rows.push_back(std::move(row));
                row.clear();
            }
            item->move(x, y);
            row.push_back({int(s), int(i)});
            x += size.width() + spacing;
            rowHeight = std::max(rowHeight, size.height());
        }
        if (!row.empty())
            m_rows.push_back(std::move(row));
        y += rowHeight + margin;
        section.bottom = y;
        if (section.header)
            section.header->setGeometry(0, section.top, width, headerHeight);
    }
    m_content->resize(width, std::max(y, viewport()->height()));
    placeFocusRing();
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
    m_current = valid.back();
    applySelection();
    placeFocusRing();
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

std::optional<IndexPath> CollectionView::neighbour(int key) const
{
    if (m_rows.empty() || !m_current)
        return std::nullopt;
    if (key == Qt::Key_Home)
        return m_rows.front().front();
    if (key == Qt::Key_End)
        return m_rows.back().back();
    size_t row = 0;
    size_t column = 0;
    while (row < m_rows.size()) {
        const auto found = std::find(m_rows[row].begin(), m_rows[row].end(), *m_current);
        if (found != m_rows[row].end()) {
            column = size_t(found - m_rows[row].begin());
            break;
        }
        ++row;
    }
    if (row == m_rows.size())
        return std::nullopt;
    // Up and down keep the column where the next row has it, else take that row's last item; left and
    // right run on from one row, and one section, into the next.
    switch (key) {
    case Qt::Key_Up:
        if (row == 0)
            return std::nullopt;
        return m_rows[row - 1][std::min(column, m_rows[row - 1].size() - 1)];
    case Qt::Key_Down:
        if (row + 1 == m_rows.size())
            return std::nullopt;
        return m_rows[row + 1][std::min(column, m_rows[row + 1].size() - 1)];
    case Qt::Key_Left:
        if (column > 0)
            return m_rows[row][column - 1];
        return row > 0 ? std::optional(m_rows[row - 1].back()) : std::nullopt;
    case Qt::Key_Right:
        if (column + 1 < m_rows[row].size())
            return m_rows[row][column + 1];
        return row + 1 < m_rows.size() ? std::optional(m_rows[row + 1].front()) : std::nullopt;
    default:
        return std::nullopt;
    }
}

void CollectionView::keyPressEvent(QKeyEvent* event)
{
    if (!m_keyboardUsed) {
        m_keyboardUsed = true;
        placeFocusRing();
    }
    const int key = event->key();
    const bool moves = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
                       key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End;
    if ((!moves && key != Qt::Key_Space) || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!m_current && !m_rows.empty())
        m_current = m_rows.front().front();
    if (!m_current)
        return;
    const bool currentIsSelected =
        std::find(m_selection.begin(), m_selection.end(), *m_current) != m_selection.end();
    const std::optional<IndexPath> target =
        currentIsSelected ? (moves ? neighbour(key) : std::nullopt) : m_current;
    if (!target)
        return;
    selectItems({*target});
    scrollToItem(*target);
}

void CollectionView::focusInEvent(QFocusEvent* event)
{
    QScrollArea::focusInEvent(event);
    if (!m_current && !m_rows.empty())
        m_current = m_rows.front().front();
    m_keyboardUsed = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    placeFocusRing();
}

void CollectionView::focusOutEvent(QFocusEvent* event)
{
    QScrollArea::focusOutEvent(event);
    placeFocusRing();
}

void CollectionView::placeFocusRing()
{
    CollectionViewItem* current = m_current && hasFocus() && m_keyboardUsed ? item(*m_current) : nullptr;
    if (!current) {
        m_focusRing->hide();
        return;
    }
    m_focusRing->setGeometry(current->geometry().adjusted(-FocusRing::outset, -FocusRing::outset,
                                                          FocusRing::outset, FocusRing::outset));
    m_focusRing->show();
    m_focusRing->raise();
    // Pinned headers stay in front of it.
    for (Section& section : m_sections) {
        if (section.header)
            section.header->raise();
    }
}

} // namespace pelorama::templates
