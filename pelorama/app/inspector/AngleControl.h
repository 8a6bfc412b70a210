#pragma once

#include "model/rendering/StyleKit.h"

#include <QPointF>
#include <QRectF>
#include <QVariant>
#include <QWidget>
#include <optional>

namespace pelorama::app {

// A round dial showing an angle in degrees, counter-clockwise from the positive x axis with y up (0 right,
// 90 up, 180 left, 270 down), which the user sets by clicking or dragging inside the dial. Every point
// taken during a drag sets the value, so whatever is bound to it follows the drag; a drag that leaves the
// dial keeps the last angle from inside it. trackingStarted and trackingFinished enclose each click or
// drag, as a slider's pressed and released do.
//
// "value" holds a number or nil; the dial is drawn only for a number, as it is given (no clamping or
// wrapping). Angles the control produces lie in 0..360.
class AngleControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)

public:
    explicit AngleControl(QWidget* parent = nullptr);

    QVariant value() const { return m_value; }
    // Redraws; every assignment notifies.
    void setValue(const QVariant& value);
    double doubleValue() const;

    // The largest square centred in the control, which holds the dial.
    QRectF dialRect() const;
    // The angle of point seen from the dial's centre, or none when point lies outside the dial's circle
    // (a point on the circle is inside).
    std::optional<double> angleAt(const QPointF& point) const;

    QSize sizeHint() const override { return {50, 50}; }

    // The dial, designed in 50 x 50 and placed into frame with resizing, in the context's y-up user
    // space: a light grey disc, a needle from the centre pointing angleDegrees counter-clockwise from the
    // positive x axis, a hub and a rim. The context's state is restored afterwards.
    static void drawDial(graphics::GraphicsContext& context, const graphics::Rect& frame,
                         model::StyleKit::ResizingBehavior resizing, double angleDegrees);

signals:
    void valueChanged();
    // The user chose angle, by a click or during a drag.
    void angleChosen(double angle);
    void trackingStarted();
    void trackingFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void track(const QPointF& point);
    void setTracking(bool tracking);

    QVariant m_value;
    bool m_tracking = false;
};

} // namespace pelorama::app
