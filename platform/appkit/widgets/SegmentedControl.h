#pragma once

#include <QMargins>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace appkit {

// A row of segments of which one is selected. Segments are drawn inside the alignment rectangle (the
// widget's rectangle less alignmentRectInsets()) within a one-point border, one point apart; a segment
// of width 0 takes the width its label needs.
class SegmentedControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(
        int selectedSegment READ selectedSegment WRITE setSelectedSegment NOTIFY selectedSegmentChanged)

public:
    explicit SegmentedControl(QWidget* parent = nullptr);

    int segmentCount() const { return static_cast<int>(m_segments.size()); }
    void setSegmentCount(int count);
    QString label(int segment) const;
    void setLabel(const QString& label, int segment);
    // The width set for segment; 0 means automatic.
    double widthForSegment(int segment) const;
    void setWidth(double width, int segment);
    // The width segment is drawn with: its set width, or what its label needs.
    double effectiveWidth(int segment) const;
    // The rectangle of segment in the widget's coordinates.
    QRectF segmentRect(int segment) const;

    // -1 when none is selected.
    int selectedSegment() const { return m_selectedSegment; }
    void setSelectedSegment(int segment);

    QMargins alignmentRectInsets() const { return m_alignmentRectInsets; }
    void setAlignmentRectInsets(const QMargins& insets);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Every assignment notifies, also of an unchanged value.
    void selectedSegmentChanged(int segment);
    // The user picked segment.
    void activated(int segment);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Segment
    {
        QString label;
        double width = 0;
    };

    QVector<Segment> m_segments;
    int m_selectedSegment = -1;
    QMargins m_alignmentRectInsets;
};

} // namespace appkit
