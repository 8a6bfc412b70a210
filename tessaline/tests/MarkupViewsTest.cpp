#include "appkit/widgets/Popover.h"
#include "appkit/widgets/ViewController.h"
#include "tessaline/Tessaline/HeightForWidthTextField.h"
#include "tessaline/Tessaline/MarkupLabel.h"
#include "tessaline/Tessaline/PopoverMessage.h"

#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <cmath>
#include <gtest/gtest.h>

using tessaline::HeightForWidthTextField;
using tessaline::MarkupLabel;

namespace {

const QString longText =
    QStringLiteral("The quick brown fox jumps over the lazy dog, and then it runs all the "
                   "way home through the fields and the woods to sleep.");

} // namespace

TEST(TessalineTest, MarkupLabelShowsStyledTextAndReadsBackThePlainText)
{
    MarkupLabel label;
    label.setMarkupStringValue(QStringLiteral("**Hi** there"));
    EXPECT_EQ(label.markupStringValue(), QStringLiteral("Hi there"));
    ASSERT_TRUE(label.attributedStringValue().attributesAt(0).font);
    EXPECT_TRUE(label.attributedStringValue().attributesAt(0).font->isBold());
    EXPECT_FALSE(label.attributedStringValue().attributesAt(3).font->isBold());
    EXPECT_EQ(label.attributedStringValue().attributesAt(3).font->pointSize(),
              graphics::Font::systemFontSize());

    MarkupLabel fromInterface(QStringLiteral("{#f00|x}"));
    EXPECT_EQ(fromInterface.stringValue(), QStringLiteral("x"));
    EXPECT_EQ(fromInterface.attributedStringValue().attributesAt(0).foregroundColor,
              (graphics::Color{1, 0, 0, 1}));
}

TEST(TessalineTest, MarkupLabelStyleSetBeforeTheTextIsTheBaseStyle)
{
    MarkupLabel label;
    const graphics::Color grey{0.5, 0.5, 0.5, 1};
    label.setAlignment(graphics::TextAlignment::center);
    label.setTextColor(grey);
    label.setTextFont(graphics::Font(QStringLiteral("HelveticaNeue"), 20));
    label.setMarkupStringValue(QStringLiteral("plain {#00f|blue}"));
    const graphics::TextAttributes plain = label.attributedStringValue().attributesAt(0);
    EXPECT_EQ(plain.foregroundColor, grey);
    EXPECT_EQ(plain.resolvedParagraphStyle().alignment, graphics::TextAlignment::center);
    EXPECT_EQ(plain.font->pointSize(), 20);
    EXPECT_EQ(label.attributedStringValue().attributesAt(6).foregroundColor, (graphics::Color{0, 0, 1, 1}));

    // A colour set after the text restyles nothing until the text is set again.
    label.setTextColor(graphics::Color{0, 1, 0, 1});
    EXPECT_EQ(label.attributedStringValue().attributesAt(0).foregroundColor, grey);
}

TEST(TessalineTest, ALabelAwayFromTheCornerOfItsWindowPaintsItsText)
{
    QWidget window;
    window.resize(300, 300);
    auto* label = new MarkupLabel(QStringLiteral("**Shown**"), &window);
    label->setGeometry(40, 200, 200, 30);
    const QImage shown = window.grab().toImage();
    int inked = 0;
    for (int y = 200; y < 230; ++y) {
        for (int x = 40; x < 240; ++x)
            inked += qGray(shown.pixel(x, y)) < 128;
    }
    EXPECT_GT(inked, 20);
}

TEST(TessalineTest, TextFieldHeightFollowsItsWidth)
{
    HeightForWidthTextField field;
    field.setStringValue(longText);
    const int oneLine = HeightForWidthTextField().heightForWidth(100);
    EXPECT_EQ(oneLine, 0);
    const int wide = field.heightForWidth(2000);
    const int narrow = field.heightForWidth(150);
    EXPECT_GT(wide, 0);
    EXPECT_GE(narrow, 3 * wide);
    EXPECT_EQ(narrow, static_cast<int>(std::ceil(field.attributedStringValue().heightForWidth(150))));

    field.resize(150, 10);
    field.show();
    EXPECT_EQ(field.preferredMaxLayoutWidth(), 150);
    EXPECT_EQ(field.sizeHint(), QSize(150, narrow));
    field.resize(400, 10);
    EXPECT_EQ(field.preferredMaxLayoutWidth(), 400);
    EXPECT_EQ(field.sizeHint().height(), field.heightForWidth(400));
}

TEST(TessalineTest, PopoverMessageWrapsAt250PointsInsideTenPointMargins)
{
    QWidget anchor;
    anchor.setGeometry(200, 300, 80, 24);
    anchor.show();
    QPointer<appkit::Popover> popover = tessaline::PopoverMessage::showMessage(longText, &anchor);
    ASSERT_FALSE(popover.isNull());
    ASSERT_TRUE(popover->isVisible());
    QWidget* content = popover->contentViewController()->view();
    auto* field = content->findChild<HeightForWidthTextField*>();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->stringValue(), longText);
    const int textHeight = field->heightForWidth(250);
    EXPECT_GT(textHeight, field->heightForWidth(10000));
    EXPECT_EQ(field->geometry(), QRect(10, 10, 250, textHeight));
    EXPECT_EQ(content->size(), QSize(270, textHeight + 20));
    // Above the widget, as the user sees it.
    EXPECT_LE(popover->geometry().bottom(), anchor.mapToGlobal(QPoint(0, 0)).y());

    popover->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popover.isNull());
}

TEST(TessalineTest, PopoverMarkupMessageIsStyled)
{
    QWidget anchor;
    anchor.setGeometry(200, 300, 80, 24);
    anchor.show();
    appkit::Popover* popover = tessaline::PopoverMessage::showMarkupMessage(
        QStringLiteral("{#f00|Please fill in all fields.}"), &anchor);
    ASSERT_NE(popover, nullptr);
    auto* field = popover->contentViewController()->view()->findChild<HeightForWidthTextField*>();
    EXPECT_EQ(field->stringValue(), QStringLiteral("Please fill in all fields."));
    EXPECT_EQ(field->attributedStringValue().attributesAt(0).foregroundColor, (graphics::Color{1, 0, 0, 1}));
    popover->close();
}
