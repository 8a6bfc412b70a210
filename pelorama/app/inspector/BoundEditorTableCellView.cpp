#include "inspector/BoundEditorTableCellView.h"

#include "ledgerline/core/Property.h"
#include "tessaline/Shared/Binding.h"

namespace pelorama::app {

BoundEditorTableCellView::BoundEditorTableCellView(QWidget* parent, EditorBinding binding)
    : PropertyTableCellView(parent)
    , m_binding(std::move(binding))
{}

QBoxLayout* BoundEditorTableCellView::placeEditor(QWidget* editor, QBoxLayout::Direction direction)
{
    m_editor = editor;
    auto* layout = new QBoxLayout(direction, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor);
    return layout;
}

bool BoundEditorTableCellView::canBind(ledgerline::Property&) const
{
    return true;
}

void BoundEditorTableCellView::objectValueChanged(ledgerline::Property* property)
{
    if (property && canBind(*property)) {
        keepBinding(std::make_unique<tessaline::Binding>(property, m_binding.propertyKey, m_editor,
                                                         m_binding.editorKey));
    } else {
        m_editor->setProperty(m_binding.editorKey.toLatin1().constData(), m_binding.emptyValue);
    }
}

} // namespace pelorama::app
