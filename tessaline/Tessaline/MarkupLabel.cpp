#include "tessaline/Tessaline/MarkupLabel.h"

#include "tessaline/Shared/MarkupParser.h"

namespace tessaline {

MarkupLabel::MarkupLabel(QWidget* parent)
    : HeightForWidthTextField(parent)
{}

MarkupLabel::MarkupLabel(const QString& markup, QWidget* parent)
    : HeightForWidthTextField(parent)
{
    setMarkupStringValue(markup);
}

void MarkupLabel::setMarkupStringValue(const QString& markup)
{
    MarkupParser parser = textFont() ? MarkupParser(*textFont()) : MarkupParser();
    graphics::ParagraphStyle style = parser.paragraphStyle();
    style.alignment = alignment();
    parser.setParagraphStyle(style);
    if (textColor()) {
        parser.setColor(*textColor());
    }
    setAttributedStringValue(parser.parse(markup));
    emit markupStringValueChanged();
}

} // namespace tessaline
