#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QWidget>

namespace tessaline {

// A table cell that draws StyleKit's inspector-section line along its bottom edge.
class TESSALINE_WIDGETS_EXPORT InspectorSectionTableCellView : public QWidget
{
    Q_OBJECT

public:
    explicit InspectorSectionTableCellView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessaline
