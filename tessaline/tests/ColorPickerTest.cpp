#include "appkit/widgets/ColorPanel.h"
#include "appkit/widgets/Popover.h"
#include "tessaline/Shared/Binding.h"
#include "tessaline/Tessaline/ColorPickerButton.h"
#include "tessaline/Tessaline/ColorPickerButtonCell.h"
#include "tessaline/Tessaline/ColorPickerViewController.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using tessaline::ColorPickerButton;

namespace {

class Swatch : public QObject
{
    Q_OBJECT
    Q_PROPERTY(graphics::Color color READ color WRITE setColor NOTIFY colorChanged)

public:
    graphics::Color color() const { return m_color; }
    void setColor(const graphics::Color& color)
    {
        m_color = color;
        emit colorChanged();
    }

signals:
    void colorChanged();

private:
    graphics::Color m_color{0.2, 0.4, 0.6, 1};
};

graphics::Color rgba(int red, int green, int blue, int alpha = 255)
{
    return graphics::Color::fromQColor(QColor(red, green, blue, alpha));
}

void closePopover(ColorPickerButton& button)
{
    if (appkit::Popover* popover = button.popover()) {
        popover->close();
    }
}

} // namespace

TEST(TessalineTest, ColorPickerCarriesPickedColoursThroughABinding)
{
    Swatch model;
    ColorPickerButton button;
    button.show();
    tessaline::Binding binding(&model, QStringLiteral("color"), &button, QStringLiteral("color"));
    EXPECT_EQ(button.color(), model.color());

    QSignalSpy changes(&button, &ColorPickerButton::colorChanged);
    QTest::mouseClick(&button, Qt::LeftButton);
    appkit::ColorPanel* panel = button.viewController()->colorPanel();
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(button.popover(), nullptr);
    EXPECT_TRUE(button.popover()->isVisible());
    EXPECT_TRUE(button.viewController()->view()->isAncestorOf(panel));
    // Opening sets the panel to the button's colour without changing the button.
    EXPECT_EQ(panel->currentColor(), model.color().toQColor());
    EXPECT_EQ(changes.count(), 0);

    panel->setColor(rgba(255, 0, 0));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(model.color(), rgba(255, 0, 0));
    panel->setColor(rgba(0, 0, 255));
    EXPECT_EQ(changes.count(), 2);
    panel->setColor(rgba(0, 0, 255, 128));
    EXPECT_EQ(model.color(), rgba(0, 0, 255, 128));

    closePopover(button);
    const int count = static_cast<int>(changes.count());
    panel->setColor(rgba(0, 255, 0));
    EXPECT_EQ(changes.count(), count);
    EXPECT_EQ(model.color(), rgba(0, 0, 255, 128));
}

TEST(TessalineTest, ColorPickerPressedTwiceFollowsThePanelOnce)
{
    ColorPickerButton button;
    button.show();
    button.buttonPressed();
    button.buttonPressed();
    QSignalSpy changes(&button, &ColorPickerButton::colorChanged);
    button.viewController()->colorPanel()->setColor(rgba(10, 20, 30));
    EXPECT_EQ(changes.count(), 1);
    closePopover(button);
}

TEST(TessalineTest, ColorPickersShareThePanelAndOnlyTheOpenOneFollowsIt)
{
    ColorPickerButton first;
    ColorPickerButton second;
    first.show();
    second.show();
    first.buttonPressed();
    closePopover(first);
    second.buttonPressed();
    appkit::ColorPanel* panel = second.viewController()->colorPanel();
    EXPECT_EQ(panel, first.viewController()->colorPanel());
    EXPECT_TRUE(second.viewController()->view()->isAncestorOf(panel));

    const graphics::Color before = first.color();
    panel->setColor(rgba(1, 2, 3));
    EXPECT_EQ(first.color(), before);
    EXPECT_EQ(second.color(), rgba(1, 2, 3));
    closePopover(second);
}

TEST(TessalineTest, EscapeClosesTheColourPopoverWhereverItsFocusIs)
{
    ColorPickerButton button;
    button.show();
    appkit::ColorPanel* panel = nullptr;
    const auto open = [&] {
        QTest::mouseClick(&button, Qt::LeftButton);
        panel = button.viewController()->colorPanel();
        return button.popover() && button.popover()->isVisible() && panel;
    };
    const auto focusedIn = [](QWidget* popover) {
        QWidget* focus = QApplication::focusWidget();
        return focus && popover->isAncestorOf(focus) ? focus : nullptr;
    };

    // With the focus where opening put it, and then in the panel's hex field.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(open());
        QPointer<appkit::Popover> popover = button.popover();
        QWidget* target = panel;
        if (round == 1) {
            target = panel->findChild<QLineEdit*>();
            ASSERT_NE(target, nullptr);
            target->setFocus();
        } else if (QWidget* focus = focusedIn(popover)) {
            target = focus;
        }
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return popover.isNull() || !popover->isVisible(); }))
            << "round " << round;
        // The panel is still the picker's, ready for the next press.
        EXPECT_TRUE(button.viewController()->view()->isAncestorOf(panel));
        closePopover(button);
    }
}

TEST(TessalineTest, DestroyedColorPickerLeavesTheSharedPanelAlive)
{
    QPointer<appkit::ColorPanel> panel;
    {
        ColorPickerButton button;
        button.show();
        button.buttonPressed();
        panel = button.viewController()->colorPanel();
    }
    ASSERT_FALSE(panel.isNull());
    EXPECT_EQ(panel->parentWidget(), nullptr);
    panel->setColor(rgba(9, 9, 9));
}

TEST(TessalineTest, FloatingColourPanelIsHiddenWhenAPickerTakesItOver)
{
    appkit::ColorPanel* panel = appkit::ColorPanel::shared();
    panel->detach();
    panel->show();
    tessaline::ColorPickerViewController controller;
    controller.view();
    EXPECT_FALSE(panel->isWindow() && panel->isVisible());
    EXPECT_EQ(controller.colorPanel(), panel);
}

TEST(TessalineTest, ColorPickerSwatchIsARoundedRectangleInsideTheButton)
{
    EXPECT_EQ(tessaline::ColorPickerButtonCell::swatchRect(QRectF(0, 0, 40, 24), QMarginsF()),
              QRectF(3.5, 4, 33, 17));

    ColorPickerButton button;
    button.setColor({1, 0, 0, 1});
    button.resize(40, 24);
    QImage image(40, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        tessaline::ColorPickerButtonCell().drawInterior(painter, QRectF(0, 0, 40, 24), &button);
    }
    EXPECT_EQ(image.pixelColor(20, 12), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(20, 2), QColor(Qt::white));
    // The outline darkens the swatch's edge.
    EXPECT_LT(image.pixelColor(20, 4).red(), 255);
    EXPECT_GT(image.pixelColor(20, 4).red(), 150);

    QWidget other;
    image.fill(Qt::white);
    testing::internal::CaptureStdout();
    {
        QPainter painter(&image);
        tessaline::ColorPickerButtonCell().drawInterior(painter, QRectF(0, 0, 40, 24), &other);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: ColorPickerButtonCell without ColorPickerButton as control view!\n");
    EXPECT_EQ(image.pixelColor(20, 12), QColor(Qt::white));
}

#include "ColorPickerTest.moc"
