#include "appkit/widgets/SegmentedControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace appkit {
namespace {

constexpr int labelPadding = 8;
constexpr int controlHeight = 24;

} // namespace

SegmentedControl::SegmentedControl(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
}

void SegmentedControl::setSegmentCount(int count)
{
    m_segments.resize(std::max(0, count));
    if (m_selectedSegment >= segmentCount()) {
        setSelectedSegment(-1);
    }
    updateGeometry();
    update();
}

QString SegmentedControl::label(int segment) const
{
    return segment >= 0 && segment < segmentCount() ? m_segments[segment].label : QString();
}

void SegmentedControl::setLabel(const QString& label, int segment)
{
    if (segment >= 0 && segment < segmentCount()) {
        m_segments[segment].label = label;
        updateGeometry();
        update();
    }
}

double SegmentedControl::widthForSegment(int segment) const
{
    return segment >= 0 && segment < segmentCount() ? m_segments[segment].width : 0;
}

void SegmentedControl::setWidth(double width, int segment)
{
    if (segment >= 0 && segment < segmentCount()) {
        m_segments[segment].width = std::max(0.0, width);
        updateGeometry();
        update();
    }
}

double SegmentedControl::effectiveWidth(int segment) const
{
    const double set = widthForSegment(segment);
    if (set > 0) {
        return set;
    }
    return fontMetrics().horizontalAdvance(label(segment)) + 2 * labelPadding;
}

QRectF SegmentedControl::segmentRect(int segment) const
{
    const QRect inner = rect().marginsRemoved(m_alignmentRectInsets);
    double x = inner.left() + 1;
    for (int i = 0; i < segment; ++i) {
        x += effectiveWidth(i) + 1;
    }
    return QRectF(x, inner.top() + 1, effectiveWidth(segment), std::max(0, inner.height() - 2));
}

void SegmentedControl::setSelectedSegment(int segment)
{
    m_selectedSegment = segment >= 0 && segment < segmentCount() ? segment : -1;
    update();
    emit selectedSegmentChanged(m_selectedSegment);
}

void SegmentedControl::setAlignmentRectInsets(const QMargins& insets)
{
    m_alignmentRectInsets = insets;
    updateGeometry();
    update();
}

QSize SegmentedControl::sizeHint() const
{
    double width = 2;
    for (int i = 0; i < segmentCount(); ++i) {
        width += effectiveWidth(i) + (i > 0 ? 1 : 0);
    }
    const QMargins& insets = m_alignmentRectInsets;
    return {static_cast<int>(std::ceil(width)) + insets.left() + insets.right(),
            controlHeight + insets.top() + insets.bottom()};
}

QSize SegmentedControl::minimumSizeHint() const
{
    return {segmentCount() * 3 + 2, sizeHint().height()};
}

void SegmentedControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outline =
        QRectF(rect().marginsRemoved(m_alignmentRectInsets)).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(outline, 5, 5);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.setBrush(palette().color(QPalette::Button));
    painter.drawPath(shape);
    painter.setClipPath(shape);
    for (int i = 0; i < segmentCount(); ++i) {
        const QRectF frame = segmentRect(i);
        if (i == m_selectedSegment) {
            painter.fillRect(frame, palette().color(QPalette::Highlight));
        }
        if (i > 0) {
            painter.fillRect(QRectF(frame.left() - 1, frame.top(), 1, frame.height()),
                             palette().color(QPalette::Mid));
        }
        painter.setPen(
            palette().color(i == m_selectedSegment ? QPalette::HighlightedText : QPalette::ButtonText));
        painter.drawText(frame, Qt::AlignCenter,
                         fontMetrics().elidedText(label(i), Qt::ElideRight, static_cast<int>(frame.width())));
    }
}

void SegmentedControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    for (int i = 0; i < segmentCount(); ++i) {
        if (segmentRect(i).contains(event->position())) {
            setSelectedSegment(i);
            emit activated(i);
            return;
        }
    }
}

} // namespace appkit
