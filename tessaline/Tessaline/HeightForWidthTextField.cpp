#include "tessaline/Tessaline/HeightForWidthTextField.h"

#include "graphics/TextLayout.h"

#include <QPainter>
#include <cmath>
#include <limits>

namespace tessaline {

HeightForWidthTextField::HeightForWidthTextField(QWidget* parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void HeightForWidthTextField::setStringValue(const QString& text)
{
    graphics::TextAttributes attributes;
    attributes.font = m_textFont.value_or(graphics::Font::systemFont());
    attributes.foregroundColor = m_textColor.value_or(graphics::Color{0, 0, 0, 1});
    attributes.paragraphStyle = graphics::ParagraphStyle{m_alignment};
    setAttributedStringValue(graphics::AttributedString(text, attributes));
}

void HeightForWidthTextField::setAttributedStringValue(const graphics::AttributedString& text)
{
    m_attributedStringValue = text;
    updateGeometry();
    update();
    emit stringValueChanged();
}

void HeightForWidthTextField::setTextFont(const std::optional<graphics::Font>& font)
{
    m_textFont = font;
}

void HeightForWidthTextField::setTextColor(const std::optional<graphics::Color>& color)
{
    m_textColor = color;
}

void HeightForWidthTextField::setAlignment(graphics::TextAlignment alignment)
{
    m_alignment = alignment;
}

void HeightForWidthTextField::setPreferredMaxLayoutWidth(double width)
{
    m_preferredMaxLayoutWidth = width;
    updateGeometry();
}

int HeightForWidthTextField::heightForWidth(int width) const
{
    return static_cast<int>(std::ceil(m_attributedStringValue.heightForWidth(width)));
}

QSize HeightForWidthTextField::sizeHint() const
{
    const double wrapWidth =
        m_preferredMaxLayoutWidth > 0 ? m_preferredMaxLayoutWidth : std::numeric_limits<double>::infinity();
    const graphics::Size size = m_attributedStringValue.boundingSize(wrapWidth);
    const double width = m_preferredMaxLayoutWidth > 0 ? m_preferredMaxLayoutWidth : size.width;
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(size.height))};
}

QSize HeightForWidthTextField::minimumSizeHint() const
{
    return {0, 0};
}

void HeightForWidthTextField::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_preferredMaxLayoutWidth != width()) {
        setPreferredMaxLayoutWidth(width());
    }
}

void HeightForWidthTextField::paintEvent(QPaintEvent*)
{
    if (m_attributedStringValue.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    graphics::TextLayout(m_attributedStringValue, width()).draw(painter);
}

} // namespace tessaline
