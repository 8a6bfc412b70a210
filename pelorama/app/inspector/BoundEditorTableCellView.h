#pragma once

#include "ledgerline/widgets/PropertyTableCellView.h"

#include <QBoxLayout>
#include <QString>
#include <QVariant>

namespace pelorama::app {

// An inspector row holding one editor widget, a property of which is bound both ways to a value of the
// row's property, so that an edit reaches the bound object at once. While the row shows no property it
// can bind, the editor shows its empty value.
class BoundEditorTableCellView : public ledgerline::PropertyTableCellView
{
    Q_OBJECT

protected:
    struct EditorBinding
    {
        QString propertyKey; // of the row's property
        QString editorKey;   // of the editor
        QVariant emptyValue; // the editor's, without a property
    };

    BoundEditorTableCellView(QWidget* parent, EditorBinding binding);

    // Lays editor (a child of this cell) out edge to edge in a box running in direction.
    QBoxLayout* placeEditor(QWidget* editor, QBoxLayout::Direction direction);
    // Whether the row can bind property: any property, unless a row says otherwise.
    virtual bool canBind(ledgerline::Property& property) const;

    void objectValueChanged(ledgerline::Property* property) final;

private:
    EditorBinding m_binding;
    QWidget* m_editor = nullptr;
};

} // namespace pelorama::app
