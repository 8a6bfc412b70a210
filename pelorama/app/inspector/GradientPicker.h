#pragma once

#include <QImage>
#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QWidget>

namespace pelorama::app {

// A grid of every stock gradient as a 30-point swatch, 10 points apart, starting 4 points from the top
// left; the selected one is ringed, and a click on a swatch selects it. The picker reports a choice only
// through its observable selectedIndex. Coordinates are the widget's own: points, y down.
//
// Its height follows its width: the grid has as many columns as fit (at least one), and as many rows as
// the 22 gradients need.
class GradientPicker : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)

public:
    static constexpr double spacing = 10;
    static constexpr double gradientSize = 30;
    static constexpr double inset = 4;

    explicit GradientPicker(QWidget* parent = nullptr);

    // -1 for none.
    int selectedIndex() const { return m_selectedIndex; }
    // Redraws when the index changes; every assignment notifies.
    void setSelectedIndex(int index);

    // The width the size hint is computed for; layout sets it to the picker's width.
    double appliedWidth() const { return m_appliedWidth; }
    void setAppliedWidth(double width);

    QMarginsF alignmentRectInsets() const { return {inset, inset, inset, inset}; }

    // Columns of swatches that fit in width: as many as fit between the insets, and at least one.
    static int columnCount(double width);
    // The rectangle of swatch index for the current width.
    QRectF swatchRect(int index) const;
    // The index of the swatch under point, or -1 where there is none (gaps, margins, past the last).
    int indexAt(const QPointF& point) const;

    // The grid's own size for appliedWidth, insets left out: appliedWidth wide, as high as the rows.
    QSizeF intrinsicContentSize() const;
    // The intrinsic size with the insets above and below.
    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void selectedIndexChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The height of the rows for a picker width, insets left out.
    static double gridHeight(double width);

    int m_selectedIndex = -1;
    double m_appliedWidth = 100;
    // The swatches as last drawn, at this size and device pixel ratio.
    QImage m_swatches;
    QSize m_swatchesSize;
    double m_swatchesRatio = 0;
};

} // namespace pelorama::app
