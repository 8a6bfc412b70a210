#include "templates/picker/TemplateSectionHeaderView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace pelorama::templates {

TemplateSectionHeaderView::TemplateSectionHeaderView(QWidget* parent)
    : QWidget(parent)
    , m_titleLabel(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 0, 12, 0);
    QFont font = m_titleLabel->font();
    font.setBold(true);
    m_titleLabel->setFont(font);
    layout->addWidget(m_titleLabel);
    m_titleLabel->setText(m_title);
}

void TemplateSectionHeaderView::setTitle(const QString& title)
{
    m_title = title;
    m_titleLabel->setText(title);
}

void TemplateSectionHeaderView::paintEvent(QPaintEvent*)
{
    // Opaque, so a pinned header hides the items scrolling under it.
    QPainter painter(this);
    QColor background = palette().window().color();
    background.setAlphaF(0.96f);
    painter.fillRect(rect(), background);
    painter.setPen(palette().mid().color());
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace pelorama::templates
