#pragma once

#include "appkit/widgets/ViewController.h"
#include "ledgerline/core/PropertyCollection.h"
#include "ledgerline/widgets/PropertyEditorRegistry.h"

#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

class QVBoxLayout;

namespace ledgerline {

class Property;
class PropertyEditable;
class PropertyRowView;

// The inspector: the properties of one PropertyEditable object in a scrolling table, one titled section
// per group in the order the groups were added, one row per property that is not hidden; a section
// whose rows are all hidden is hidden too. Each row's
// editor comes from the PropertyEditorRegistry and is bound both ways to its property, which is bound to
// the object, so the table and the object stay equal while either changes. Rows follow their property's
// "hidden" as it changes.
//
// A gesture on a row's editor (a drag on a dial, a held arrow) is announced by gestureStarted and
// gestureFinished, in pairs, so that its many changes can become one step to undo.
//
// The table owns the collection it asked the object for. It shows the object until it is given another
// one or none; when the object is a QObject that is destroyed, the table empties. Main thread only.
class PropertyTableViewController : public appkit::ViewController
{
    Q_OBJECT

public:
    // A table with the editors of the kinds this library defines.
    explicit PropertyTableViewController(QObject* parent = nullptr);
    // A table with the editors of editors.
    explicit PropertyTableViewController(std::shared_ptr<const PropertyEditorRegistry> editors,
                                         QObject* parent = nullptr);
    ~PropertyTableViewController() override;

    PropertyEditable* object() const { return m_object; }
    // Shows object's properties in a collection made for it now; nullptr empties the table.
    void setObject(PropertyEditable* object);

    const PropertyCollection* propertyCollection() const { return m_collection.get(); }
    // The section titles and rows in the order shown; hidden rows are among them, not visible.
    QStringList sectionTitles() const;
    const std::vector<PropertyRowView*>& rowViews() const { return m_rows; }
    PropertyRowView* rowView(const Property* property) const;

signals:
    void gestureStarted();
    void gestureFinished();

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    // Every row stops showing its property.
    void releaseRows();
    void reloadRows();
    // A section shows while one of its rows does.
    void updateSectionVisibility();

    std::shared_ptr<const PropertyEditorRegistry> m_editors;
    PropertyEditable* m_object = nullptr;
    QPointer<QObject> m_objectLifetime;
    QMetaObject::Connection m_objectDestroyed;
    std::unique_ptr<PropertyCollection> m_collection;
    QPointer<QWidget> m_content;
    QVBoxLayout* m_layout = nullptr;
    std::vector<QWidget*> m_headers; // one per group of the collection, in order
    std::vector<QMetaObject::Connection> m_hiddenConnections;
    std::vector<PropertyRowView*> m_rows;
};

} // namespace ledgerline
