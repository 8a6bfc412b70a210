#pragma once

#include <QColor>
#include <QWidget>

namespace pelorama::templates {

// While highlighted, fills its bounds with a rounded rectangle in its highlight colour; otherwise draws
// nothing. Every assignment of its three properties redraws it.
class HighlightView : public QWidget
{
    Q_OBJECT

public:
    explicit HighlightView(QWidget* parent = nullptr);

    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    const QColor& highlightColor() const { return m_highlightColor; }
    void setHighlightColor(const QColor& color);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_highlighted = false;
    QColor m_highlightColor = Qt::blue;
    double m_cornerRadius = 10;
};

} // namespace pelorama::templates
