#pragma once

#include <QPointer>
#include <QScrollArea>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace pelorama::templates {

class CollectionView;

// An item's place: its section and its number within it.
struct IndexPath
{
    int section = 0;
    int item = 0;
    friend bool operator==(const IndexPath&, const IndexPath&) = default;
};

// A view the collection shows for one item; it hears when it is selected.
class CollectionViewItem : public QWidget
{
    Q_OBJECT

public:
    explicit CollectionViewItem(QWidget* parent = nullptr);
    bool isSelected() const { return m_selected; }
    virtual void setSelected(bool selected);
    CollectionView* collectionView() const;

protected:
    // A press selects the item.
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_selected = false;
};

// What a collection view shows, asked again at every reload.
class CollectionViewDataSource
{
public:
    static constexpr const char* sectionHeaderKind = "SectionHeader";

    virtual ~CollectionViewDataSource() = default;
    virtual int numberOfSections(CollectionView& view) = 0;
    virtual int numberOfItems(CollectionView& view, int section) = 0;
    virtual CollectionViewItem* makeItem(CollectionView& view, IndexPath indexPath) = 0;
    virtual QWidget* makeSupplementaryView(CollectionView& view, const QString& kind,
                                           IndexPath indexPath) = 0;
    virtual QSize sizeForItem(CollectionView& view, IndexPath indexPath) = 0;
    // The index paths among proposed that may be selected.
    virtual std::vector<IndexPath> shouldSelectItems(CollectionView& view, std::vector<IndexPath> proposed)
    {
        (void)view;
        return proposed;
    }

protected:
    CollectionViewDataSource() = default;
    CollectionViewDataSource(const CollectionViewDataSource&) = default;
    CollectionViewDataSource& operator=(const CollectionViewDataSource&) = default;
};

// A scrolling grid of items in sections, each section under a header that stays pinned to the top of
// the visible area while its section scrolls by. Items flow left to right in rows of fixed spacing. One
// item at a time is selected, by a press on it or from the keyboard.
//
// With the keyboard focus, once the keyboard is used (a key pressed in the grid, or the focus tabbed
// into it), a dashed frame marks the current item (the selected one, or the first before any is
// selected); it is drawn unlike the selection, so that an item it marks is not taken for selected. The arrow
// keys select the item beside, above or below the current one, across section boundaries; Home and End the
// first and last; an arrow or Space with the current item not yet selected selects it. Other keys (Return,
// Escape, Tab) go on to the window.
class CollectionView : public QScrollArea
{
    Q_OBJECT

public:
    static constexpr int margin = 12;
    static constexpr int spacing = 10;

    explicit CollectionView(QWidget* parent = nullptr);
    ~CollectionView() override;

    void setDataSource(CollectionViewDataSource* dataSource) { m_dataSource = dataSource; }
    bool sectionHeadersPinToVisibleBounds() const { return m_pinsHeaders; }
    void setSectionHeadersPinToVisibleBounds(bool pins);

    // Drops every item and header, asks the data source again and clears the selection.
    void reloadData();
    int numberOfSections() const { return int(m_sections.size()); }
    int numberOfItems(int section) const;
    CollectionViewItem* item(IndexPath indexPath) const;
    std::optional<IndexPath> indexPath(const CollectionViewItem* item) const;
    QWidget* supplementaryView(int section) const;

    const std::vector<IndexPath>& selectionIndexPaths() const { return m_selection; }
    // Selects the index paths the data source allows; the others are left out.
    void selectItems(const std::vector<IndexPath>& indexPaths);
    void deselectAll();
    // Scrolls so the item is visible.
    void scrollToItem(IndexPath indexPath);
    // The item the keyboard works from; none before the grid first had the focus or anything was selected.
    std::optional<IndexPath> currentIndexPath() const { return m_current; }

signals:
    void selectionDidChange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Section
    {
        QPointer<QWidget> header;
        std::vector<QPointer<CollectionViewItem>> items;
        int top = 0;
        int bottom = 0;
    };

    void layoutContent();
    void pinHeaders();
    void applySelection();
    // The item the key moves to from the current one, if any.
    std::optional<IndexPath> neighbour(int key) const;
    void placeFocusRing();

    CollectionViewDataSource* m_dataSource = nullptr;
    QWidget* m_content;
    // Around the current item while the grid has the focus.
    QWidget* m_focusRing;
    std::vector<Section> m_sections;
    // The items as laid out, row by row from the top, each row left to right.
    std::vector<std::vector<IndexPath>> m_rows;
    std::vector<IndexPath> m_selection;
    std::optional<IndexPath> m_current;
    // Whether the keyboard was used since the grid took the focus.
    bool m_keyboardUsed = false;
    bool m_pinsHeaders = false;
};

} // namespace pelorama::templates
