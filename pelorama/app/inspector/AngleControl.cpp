#include "inspector/AngleControl.h"

#include "foundation/Values.h"
#include "graphics/Color.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"
#include "inspector/PixelBitmapPainting.h"
#include "model/rendering/AspectFit.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace pelorama::app {

namespace {

graphics::Color grey(double white)
{
    return {white, white, white, 1};
}

void strokePath(graphics::GraphicsContext& context, graphics::Path path, const graphics::Color& color,
                double lineWidth)
{
    path.setLineWidth(lineWidth);
    context.setStrokeColor(color);
    context.strokePath(path);
}

void fillPath(graphics::GraphicsContext& context, const graphics::Path& path, const graphics::Color& color)
{
    context.setFillColor(color);
    context.fillPath(path);
}

} // namespace

void AngleControl::drawDial(graphics::GraphicsContext& context, const graphics::Rect& frame,
                            model::StyleKit::ResizingBehavior resizing, double angleDegrees)
{
    context.save();
    const graphics::Rect placed = model::StyleKit::apply(resizing, graphics::Rect(0, 0, 50, 50), frame);
    context.translate(placed.minX(), placed.minY());
    context.scale(placed.width() / 50, placed.height() / 50);

    const graphics::Rect dial(1, 1, 48, 48);
    fillPath(context, graphics::Path::oval(dial), grey(0.921));

    context.save();
    context.translate(25, 25);
    context.rotate(angleDegrees * std::numbers::pi / 180);
    graphics::Path needle;
    needle.moveTo({0, 0});
    needle.lineTo({24, 0});
    strokePath(context, needle, grey(0), 2);
    context.restore();

    const graphics::Path hub = graphics::Path::oval(graphics::Rect(22, 22, 6, 6));
    fillPath(context, hub, grey(0.681));
    strokePath(context, hub, grey(0.856), 1);
    strokePath(context, graphics::Path::oval(dial), grey(0.856), 1);
    context.restore();
}

AngleControl::AngleControl(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void AngleControl::setValue(const QVariant& value)
{
    m_value = foundation::isNil(value) ? QVariant() : value;
    update();
    emit valueChanged();
}

double AngleControl::doubleValue() const
{
    return foundation::isNumber(m_value) ? m_value.toDouble() : 0;
}

QRectF AngleControl::dialRect() const
{
    const graphics::Rect fitted = model::aspectFit({1, 1}, graphics::Rect::fromQRectF(QRectF(rect())));
    const QRectF square(fitted.origin.x, fitted.origin.y, fitted.size.width, fitted.size.height);
    return square.isValid() ? square : QRectF();
}

std::optional<double> AngleControl::angleAt(const QPointF& point) const
{
    const QRectF dial = dialRect();
    if (dial.isEmpty()) {
        return std::nullopt;
    }
    // Widget coordinates grow downwards; the dial's angles are measured with y up.
    const double x = (point.x() - dial.center().x()) / (dial.width() * 0.5);
    const double y = (dial.center().y() - point.y()) / (dial.height() * 0.5);
    if (x * x + y * y > 1) {
        return std::nullopt;
    }
    double radians = std::atan2(y, x);
    if (radians < 0) {
        radians += 2 * std::numbers::pi;
    }
    return radians * 180 / std::numbers::pi;
}

void AngleControl::track(const QPointF& point)
{
    if (const std::optional<double> angle = angleAt(point)) {
        setValue(*angle);
        emit angleChosen(*angle);
    }
}

void AngleControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !angleAt(event->position())) {
        event->ignore();
        return;
    }
    setTracking(true);
    track(event->position());
}

void AngleControl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_tracking) {
        track(event->position());
    }
}

void AngleControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_tracking && event->button() == Qt::LeftButton) {
        track(event->position());
        setTracking(false);
    }
}

void AngleControl::hideEvent(QHideEvent* event)
{
    // A drag ends with the dial's row, which the inspector may take away meanwhile.
    setTracking(false);
    QWidget::hideEvent(event);
}

void AngleControl::setTracking(bool tracking)
{
    if (m_tracking == tracking) {
        return;
    }
    m_tracking = tracking;
    if (tracking) {
        emit trackingStarted();
    } else {
        emit trackingFinished();
    }
}

void AngleControl::paintEvent(QPaintEvent*)
{
    if (!foundation::isNumber(m_value)) {
        return;
    }
    QPainter painter(this);
    paintThroughPixelBitmap(*this, painter, [this](graphics::GraphicsContext& context, double ratio) {
        context.scale(ratio, ratio);
        drawDial(context, graphics::Rect(0, 0, width(), height()),
                 model::StyleKit::ResizingBehavior::aspectFit, m_value.toDouble());
    });
}

} // namespace pelorama::app
