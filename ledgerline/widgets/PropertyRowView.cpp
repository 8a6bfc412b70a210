#include "ledgerline/widgets/PropertyRowView.h"

#include "ledgerline/core/Property.h"
#include "ledgerline/widgets/PropertyTableCellView.h"
#include "tessaline/Shared/Observer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

namespace ledgerline {

PropertyRowView::PropertyRowView(const QString& editorName, std::unique_ptr<PropertyTableCellView> cellView,
                                 QWidget* parent)
    : QWidget(parent)
    , m_editorName(editorName)
    , m_label(new QLabel(this))
    , m_cellView(cellView.release())
{
    m_cellView->setParent(this);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 3, 0, 3);
    layout->setSpacing(8);
    layout->addWidget(m_label, 0, Qt::AlignTop);
    layout->addWidget(m_cellView, 1);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

PropertyRowView::~PropertyRowView() = default;

void PropertyRowView::setObjectValue(Property* property)
{
    m_hiddenObserver.reset();
    m_objectValue = property;
    m_cellView->setObjectValue(property);
    const QString name = property ? property->name() : QString();
    m_label->setText(name);
    m_label->setVisible(!name.isEmpty());
    setToolTip(property ? property->descriptionText() : QString());
    if (!property) {
        hide();
        return;
    }
    // A label beside a tall editor lines up with the editor's first line.
    m_label->setMinimumHeight(std::clamp(m_cellView->sizeHint().height(), 0, 28));
    m_hiddenObserver = std::make_unique<tessaline::Observer>(
        property, QStringLiteral("hidden"), [this](const QVariant& hidden) { setHidden(hidden.toBool()); });
}

void PropertyRowView::setLabelWidth(int width)
{
    m_label->setFixedWidth(width);
}

int PropertyRowView::labelTextWidth() const
{
    // Measured from the text: a label's size hint never shrinks below the width it was fixed to, which
    // a reused row carries over from the object shown before.
    const QMargins margins = m_label->contentsMargins();
    return m_label->fontMetrics().horizontalAdvance(m_label->text()) + 2 * m_label->margin() +
           margins.left() + margins.right();
}

} // namespace ledgerline
