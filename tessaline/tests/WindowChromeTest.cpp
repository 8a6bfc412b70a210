#include "tessaline/Tessaline/Window.h"

#include <QAbstractButton>
#include <QLabel>
#include <gtest/gtest.h>

using tessaline::Window;

namespace {

QRect buttonFrame(const Window& window, Window::ButtonKind kind)
{
    return window.standardWindowButton(kind)->geometry();
}

} // namespace

TEST(TessalineTest, WindowTitleBarHeightIsNeverBelowTheDefault)
{
    Window window;
    window.setTitleBarHeight(0);
    EXPECT_EQ(window.titleBarHeight(), Window::defaultTitleBarHeight());
    window.setTitleBarHeight(Window::defaultTitleBarHeight() - 5);
    EXPECT_EQ(window.titleBarHeight(), Window::defaultTitleBarHeight());
    window.setTitleBarHeight(52);
    window.setTitleBarHeight(60);
    EXPECT_EQ(window.titleBarHeight(), 60);
    EXPECT_EQ(window.titleBarView()->height(), 60);
}

TEST(TessalineTest, WindowTitleBarGrowsWithoutShrinkingTheContent)
{
    Window window;
    window.resize(400, 300);
    window.show();
    const int contentHeight = window.contentView()->height();
    window.setTitleBarHeight(70);
    EXPECT_EQ(window.height(), 300 + 70 - static_cast<int>(Window::defaultTitleBarHeight()));
    window.setTitleBarHeight(0);
    EXPECT_EQ(window.height(), 300);
    EXPECT_EQ(window.contentView()->height(), contentHeight);
}

TEST(TessalineTest, WindowMeasuresMarginsLeftAtZeroAndKeepsOthers)
{
    Window measured;
    measured.awakeFromNib();
    const QRect close = buttonFrame(measured, Window::ButtonKind::close);
    EXPECT_EQ(measured.trafficLightHorizontalMargin(), 7);
    EXPECT_EQ(measured.trafficLightVerticalMargin(), 7);
    EXPECT_EQ(close.height(), 14);

    Window configured;
    configured.setTrafficLightHorizontalMargin(-3);
    configured.setTrafficLightVerticalMargin(11);
    configured.awakeFromNib();
    EXPECT_EQ(configured.trafficLightHorizontalMargin(), -3);
    EXPECT_EQ(configured.trafficLightVerticalMargin(), 11);
}

TEST(TessalineTest, WindowButtonsAreCentredOrHangFromTheTop)
{
    Window centred;
    centred.setTitleBarHeight(52);
    centred.awakeFromNib();
    centred.layoutIfNeeded();
    EXPECT_EQ(buttonFrame(centred, Window::ButtonKind::close).top(), 19);
    EXPECT_EQ(buttonFrame(centred, Window::ButtonKind::zoom).top(), 19);

    Window hanging;
    hanging.setTitleBarHeight(52);
    hanging.setCenterTrafficLightButtons(false);
    hanging.setTrafficLightVerticalMargin(5);
    hanging.awakeFromNib();
    hanging.layoutIfNeeded();
    EXPECT_EQ(buttonFrame(hanging, Window::ButtonKind::miniaturize).top(), 5);
}

TEST(TessalineTest, WindowButtonsAreSpacedByTheGap)
{
    Window window;
    window.setTrafficLightHorizontalMargin(7);
    window.awakeFromNib();
    window.layoutIfNeeded();
    EXPECT_EQ(buttonFrame(window, Window::ButtonKind::close).left(), 7);
    EXPECT_EQ(buttonFrame(window, Window::ButtonKind::miniaturize).left(), 27);
    EXPECT_EQ(buttonFrame(window, Window::ButtonKind::zoom).left(), 47);
    EXPECT_EQ(window.standardWindowButton(Window::ButtonKind::documentIcon), nullptr);

    window.setTrafficLightGap(10);
    window.layoutIfNeeded();
    EXPECT_EQ(buttonFrame(window, Window::ButtonKind::zoom).left(), 7 + 2 * 24);
}

TEST(TessalineTest, WindowTitleKeepsItsHorizontalPlaceAndFollowsTheButtonsVertically)
{
    Window window;
    window.setWindowTitle(QStringLiteral("Untitled"));
    window.resize(500, 300);
    window.setTitleBarHeight(52);
    window.setCenterTrafficLightButtons(false);
    window.awakeFromNib();
    QLabel* title = window.titleBarTextField();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Untitled"));
    const int x = title->x();
    window.layoutIfNeeded();
    EXPECT_EQ(title->x(), x);
    EXPECT_EQ(title->y(), 7);

    window.setHidesTitle(true);
    EXPECT_TRUE(title->isHidden());
}

TEST(TessalineTest, WindowMovesItsViewsIntoTheTitleBar)
{
    Window window;
    auto* inner = new QWidget(window.contentView());
    auto* toolbar = new QWidget(window.contentView());
    window.setInnerTitleBarView(inner);
    window.setToolbarView(toolbar);
    window.setTitleBarHeight(80);
    window.setTrafficLightHorizontalMargin(7);
    window.setTrafficLightVerticalMargin(5);
    window.setCenterTrafficLightButtons(false);
    window.resize(400, 300);
    window.show();

    EXPECT_EQ(inner->parentWidget(), window.titleBarView());
    EXPECT_EQ(toolbar->parentWidget(), window.titleBarView());
    // Inner view: 14 points from each side, from v down to v + button height.
    EXPECT_EQ(inner->geometry(), QRect(14, 5, 400 - 28, 14));
    // Toolbar: below the buttons' row, 7 points from each side, 5 points above the bottom.
    EXPECT_EQ(toolbar->geometry(), QRect(7, 24, 400 - 14, 80 - 5 - 24));

    window.resize(500, 300);
    EXPECT_EQ(toolbar->width(), 500 - 14);
}

TEST(TessalineTest, WindowCentredInnerViewSpansTheTitleBarLessTheMargins)
{
    Window window;
    auto* inner = new QWidget;
    window.setInnerTitleBarView(inner);
    window.setTitleBarHeight(40);
    window.resize(300, 200);
    window.show();
    EXPECT_EQ(window.titleBarView()->height(), 40);
    EXPECT_EQ(inner->geometry(), QRect(14, 7, 300 - 28, 40 - 14));
}
