#include "app/feedback/PlaceholderTextView.h"

#include "graphics/Font.h"

#include <QPainter>
#include <QTextBlock>

namespace pelorama::app {

PlaceholderTextView::PlaceholderTextView(QWidget* parent)
    : QPlainTextEdit(parent)
{
    // An edit repaints only the lines it changed; the placeholder may reach further, so the first
    // character typed (or the last one deleted) has the whole view drawn again.
    connect(this, &QPlainTextEdit::textChanged, viewport(), qOverload<>(&QWidget::update));
}

QFont PlaceholderTextView::placeholderFont() const
{
    if (testAttribute(Qt::WA_SetFont))
        return font();
    return graphics::Font::systemFont(graphics::Font::systemFontSize()).toQFont();
}

void PlaceholderTextView::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    if (!document()->isEmpty() || m_placeholder.isEmpty())
        return;
    // Where the first character would stand: the empty first block's place, the document margin inside.
    const QRectF first = blockBoundingGeometry(document()->firstBlock()).translated(contentOffset());
    const qreal margin = document()->documentMargin();
    QPainter painter(viewport());
    painter.setPen(placeholderColor());
    painter.setFont(placeholderFont());
    const QRectF area(first.left() + margin, first.top() + margin, viewport()->width(), viewport()->height());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_placeholder);
}

} // namespace pelorama::app
