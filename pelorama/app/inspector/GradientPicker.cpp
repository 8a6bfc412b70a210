#include "inspector/GradientPicker.h"

#include "graphics/GraphicsContext.h"
#include "inspector/PixelBitmapPainting.h"
#include "model/entities/StockGradient.h"
#include "model/rendering/GradientSwatch.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace pelorama::app {
namespace {

using model::StockGradient;

constexpr double pitch = GradientPicker::gradientSize + GradientPicker::spacing;

int gradientCount()
{
    return static_cast<int>(StockGradient::all().size());
}

} // namespace

GradientPicker::GradientPicker(QWidget* parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void GradientPicker::setSelectedIndex(int index)
{
    // The same index again (a binding showing another object with the same gradient) draws nothing new.
    if (index != m_selectedIndex) {
        m_selectedIndex = index;
        update();
    }
    emit selectedIndexChanged();
}

void GradientPicker::setAppliedWidth(double width)
{
    m_appliedWidth = width;
    updateGeometry();
}

int GradientPicker::columnCount(double width)
{
    // A picker narrower than one swatch still lays out one column rather than none.
    const double columns = std::floor((width + spacing - 2 * inset) / pitch);
    return std::isfinite(columns) && columns >= 1 ? static_cast<int>(std::min(columns, 1e6)) : 1;
}

double GradientPicker::gridHeight(double width)
{
    const double rows = std::ceil(static_cast<double>(gradientCount()) / columnCount(width));
    return rows * pitch - spacing;
}

QRectF GradientPicker::swatchRect(int index) const
{
    const int columns = columnCount(width());
    const int row = index / columns;
    const int column = index % columns;
    return {column * pitch + inset, row * pitch + inset, gradientSize, gradientSize};
}

int GradientPicker::indexAt(const QPointF& point) const
{
    const int columns = columnCount(width());
    const double x = point.x() - inset;
    const double y = point.y() - inset;
    if (!(x >= 0 && x < columns * pitch - spacing && y >= 0)) {
        return -1;
    }
    if (!(std::fmod(y, pitch) < gradientSize && std::fmod(x, pitch) < gradientSize &&
          y < height() - 2 * inset)) {
        return -1;
    }
    const int index =
        static_cast<int>(std::floor(y / pitch)) * columns + static_cast<int>(std::floor(x / pitch));
    return index < gradientCount() ? index : -1;
}

QSizeF GradientPicker::intrinsicContentSize() const
{
    return {m_appliedWidth, gridHeight(m_appliedWidth)};
}

QSize GradientPicker::sizeHint() const
{
    const int width = static_cast<int>(std::ceil(m_appliedWidth));
    return {width, heightForWidth(width)};
}

int GradientPicker::heightForWidth(int width) const
{
    return static_cast<int>(std::ceil(gridHeight(width) + 2 * inset));
}

void GradientPicker::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    setAppliedWidth(width());
}

void GradientPicker::paintEvent(QPaintEvent*)
{
    // The swatches are drawn once for a size and pixel ratio; the inspector repaints the picker whenever
    // it shows another object.
    const double ratio = devicePixelRatioF();
    if (m_swatches.isNull() || m_swatchesSize != size() || m_swatchesRatio != ratio) {
        m_swatches = pixelBitmap(*this, [this](graphics::GraphicsContext& context, double pixelRatio) {
            // The grid is laid out y-down in points.
            context.translate(0, context.height());
            context.scale(pixelRatio, -pixelRatio);
            const auto& all = StockGradient::all();
            for (int index = 0; index < gradientCount(); ++index) {
                model::drawGradientSwatch(context, all[static_cast<std::size_t>(index)]->gradient(),
                                          graphics::Rect::fromQRectF(swatchRect(index)));
            }
        });
        m_swatchesSize = size();
        m_swatchesRatio = ratio;
    }
    if (m_swatches.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QRectF(rect()), m_swatches);
    if (m_selectedIndex >= 0 && m_selectedIndex < gradientCount()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(swatchRect(m_selectedIndex).adjusted(-3, -3, 3, 3), 7, 7);
    }
}

void GradientPicker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int index = indexAt(event->position());
    if (index >= 0) {
        setSelectedIndex(index);
    }
}

} // namespace pelorama::app
