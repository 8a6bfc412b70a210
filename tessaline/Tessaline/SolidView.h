#pragma once

#include "graphics/Color.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QWidget>

namespace tessaline {

// A view filled with one colour, its corners optionally rounded.
class TESSALINE_WIDGETS_EXPORT SolidView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(graphics::Color backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY
                   backgroundColorChanged)
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY radiusChanged)

public:
    explicit SolidView(QWidget* parent = nullptr);

    // White at first.
    graphics::Color backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const graphics::Color& color);
    // Corner radius in points; 0 at first.
    double radius() const { return m_radius; }
    void setRadius(double radius);

signals:
    void backgroundColorChanged();
    void radiusChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    graphics::Color m_backgroundColor{1, 1, 1, 1};
    double m_radius = 0;
};

} // namespace tessaline
