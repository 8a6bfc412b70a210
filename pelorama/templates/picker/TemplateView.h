#pragma once

#include <QImage>
#include <QWidget>

namespace pelorama::templates {

// The framed backdrop behind a template's preview: a white card with a one-point white border, inset 6
// points inside the view (then made whole points), casting a blurred shadow (black, 0.4 opaque, blur
// radius 2, offset (0, -1) in the y-up drawing space: one point down).
class TemplateView : public QWidget
{
    Q_OBJECT

public:
    static constexpr double borderInset = 6;
    static constexpr double shadowBlurRadius = 2;
    static constexpr double shadowOpacity = 0.4;
    static constexpr double shadowOffsetY = -1;

    explicit TemplateView(QWidget* parent = nullptr);

    // The card's rectangle in the view's coordinates.
    QRect borderRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The card's shadow, made again only when the card's size in pixels changes.
    QImage m_shadow;
    QSize m_shadowCardPixels;
};

} // namespace pelorama::templates
