#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QWidget>

namespace tessaline {

// Draws StyleKit's inspector-section line along its bottom edge.
class TESSALINE_WIDGETS_EXPORT InspectorSectionView : public QWidget
{
    Q_OBJECT

public:
    explicit InspectorSectionView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessaline
