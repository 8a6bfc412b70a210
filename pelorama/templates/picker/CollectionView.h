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
// item at a time is selected, by a press on it.
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

signals:
    void selectionDidChange();

protected:
    void resizeEvent(QResizeEvent* event) override;

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

    CollectionViewDataSource* m_dataSource = nullptr;
    QWidget* m_content;
    std::vector<Section> m_sections;
    std::vector<IndexPath> m_selection;
    bool m_pinsHeaders = false;
};

} // namespace pelorama::templates
