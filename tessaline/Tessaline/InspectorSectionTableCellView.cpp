#include "tessaline/Tessaline/InspectorSectionTableCellView.h"

#include "tessaline/Tessaline/StyleKit.h"

#include <QPainter>

namespace tessaline {

InspectorSectionTableCellView::InspectorSectionTableCellView(QWidget* parent)
    : QWidget(parent)
{}

void InspectorSectionTableCellView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    StyleKit::drawInspectorSection(painter, rect());
}

} // namespace tessaline
