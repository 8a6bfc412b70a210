#include "tessaline/Tessaline/InspectorSectionView.h"

#include "tessaline/Tessaline/StyleKit.h"

#include <QPainter>

namespace tessaline {

InspectorSectionView::InspectorSectionView(QWidget* parent)
    : QWidget(parent)
{}

void InspectorSectionView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    StyleKit::drawInspectorSection(painter, rect());
}

} // namespace tessaline
