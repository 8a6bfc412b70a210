#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QWidget>

namespace tessaline {

// Draws StyleKit's toolbar over its whole rectangle.
class TESSALINE_WIDGETS_EXPORT ToolBarView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(
        bool opaqueBackground READ opaqueBackground WRITE setOpaqueBackground NOTIFY opaqueBackgroundChanged)

public:
    explicit ToolBarView(QWidget* parent = nullptr);

    bool opaqueBackground() const { return m_opaqueBackground; }
    // Redraws; every assignment notifies.
    void setOpaqueBackground(bool opaque);

signals:
    void opaqueBackgroundChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_opaqueBackground = true;
};

} // namespace tessaline
