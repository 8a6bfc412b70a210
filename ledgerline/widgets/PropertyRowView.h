#pragma once

#include "ledgerline/core/Property.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;

namespace tessaline {
class Observer;
}

namespace ledgerline {

class PropertyTableCellView;

// One row of the inspector table: the property's name beside its editor, shown while the property is
// not hidden. A row without a name gives the whole width to its editor. Rows are reused for other
// properties of the same editor name.
class PropertyRowView : public QWidget
{
    Q_OBJECT

public:
    PropertyRowView(const QString& editorName, std::unique_ptr<PropertyTableCellView> cellView,
                    QWidget* parent);
    ~PropertyRowView() override;

    const QString& editorName() const { return m_editorName; }
    QLabel* label() const { return m_label; }
    PropertyTableCellView* cellView() const { return m_cellView; }
    Property* objectValue() const { return m_objectValue; }

    // Shows property, or nothing; the row must have a parent by now.
    void setObjectValue(Property* property);
    // The width of the name column, shared by the rows of one table.
    void setLabelWidth(int width);
    // The width the name needs, whatever width the column had before.
    int labelTextWidth() const;

private:
    QString m_editorName;
    QLabel* m_label;
    PropertyTableCellView* m_cellView;
    QPointer<Property> m_objectValue;
    std::unique_ptr<tessaline::Observer> m_hiddenObserver;
};

} // namespace ledgerline
