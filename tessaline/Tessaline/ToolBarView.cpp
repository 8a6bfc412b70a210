#include "tessaline/Tessaline/ToolBarView.h"

#include "tessaline/Tessaline/StyleKit.h"

#include <QPainter>

namespace tessaline {

ToolBarView::ToolBarView(QWidget* parent)
    : QWidget(parent)
{}

void ToolBarView::setOpaqueBackground(bool opaque)
{
    m_opaqueBackground = opaque;
    update();
    emit opaqueBackgroundChanged();
}

void ToolBarView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    StyleKit::drawToolbar(painter, rect(), m_opaqueBackground);
}

} // namespace tessaline
