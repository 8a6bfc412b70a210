#pragma once

#include <QWidget>

namespace pelorama::templates {

// The framed backdrop behind a template's preview: a white card with a one-point white border, inset 6
// points inside the view (then made whole points), casting a soft shadow (black, 0.4 opaque, radius 2,
// one point down).
class TemplateView : public QWidget
{
    Q_OBJECT

public:
    static constexpr double borderInset = 6;

    explicit TemplateView(QWidget* parent = nullptr);

    // The card's rectangle in the view's coordinates.
    QRect borderRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pelorama::templates
