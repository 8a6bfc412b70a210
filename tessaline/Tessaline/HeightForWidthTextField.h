#pragma once

#include "graphics/AttributedString.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/ParagraphStyle.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QWidget>
#include <optional>

namespace tessaline {

// A read-only text field whose height follows its width: its text wraps at its current width, and a
// layout asks it for the height a width needs. Sizes are in points (one point per pixel).
class TESSALINE_WIDGETS_EXPORT HeightForWidthTextField : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString stringValue READ stringValue WRITE setStringValue NOTIFY stringValueChanged)

public:
    explicit HeightForWidthTextField(QWidget* parent = nullptr);

    // The text as shown, without styles.
    QString stringValue() const { return m_attributedStringValue.string(); }
    // Shows text plainly in the field's font, alignment and text colour.
    void setStringValue(const QString& text);
    const graphics::AttributedString& attributedStringValue() const { return m_attributedStringValue; }
    void setAttributedStringValue(const graphics::AttributedString& text);

    // The field's own font, colour and alignment, the style of plain text; none until set.
    std::optional<graphics::Font> textFont() const { return m_textFont; }
    void setTextFont(const std::optional<graphics::Font>& font);
    std::optional<graphics::Color> textColor() const { return m_textColor; }
    void setTextColor(const std::optional<graphics::Color>& color);
    graphics::TextAlignment alignment() const { return m_alignment; }
    void setAlignment(graphics::TextAlignment alignment);

    // The width the text wraps at when the field reports its preferred size; 0 means no wrapping.
    // Every change of the field's size sets it to the new width.
    double preferredMaxLayoutWidth() const { return m_preferredMaxLayoutWidth; }
    void setPreferredMaxLayoutWidth(double width);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void stringValueChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    graphics::AttributedString m_attributedStringValue;
    std::optional<graphics::Font> m_textFont;
    std::optional<graphics::Color> m_textColor;
    graphics::TextAlignment m_alignment = graphics::TextAlignment::natural;
    double m_preferredMaxLayoutWidth = 0;
};

} // namespace tessaline
