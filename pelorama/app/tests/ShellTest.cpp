// The window chrome: the pane splitter, the sidebar toggle and the small views.
#include "app/MouseDownButton.h"
#include "app/feedback/PlaceholderTextView.h"
#include "app/window/PaneSplitter.h"
#include "app/window/SidebarToggleControl.h"

#include <QAction>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

class PaneSplitterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        right.setMinimumWidth(250);
        splitter.addPane(&left, true);
        splitter.addPane(&middle, false);
        splitter.addPane(&right, true);
        splitter.resize(1000, 400);
        splitter.show();
        splitter.setSizes({200, 550, 250});
        QObject::connect(&splitter, &app::PaneSplitter::paneSettled, [this](QWidget* pane) {
            settled.append(pane);
            collapsedWhenSettled.append(splitter.isCollapsed(pane));
            animatingWhenSettled.append(splitter.isAnimating(pane));
        });
    }

    app::PaneSplitter splitter;
    // In the splitter once added, and gone from it before it goes.
    QWidget left, middle, right;
    QList<QWidget*> settled;
    QList<bool> collapsedWhenSettled;
    QList<bool> animatingWhenSettled;
};

TEST_F(PaneSplitterTest, PanesKeepTheirMinimumWidthAndSidePanesTheirWidth)
{
    EXPECT_EQ(splitter.count(), 3);
    EXPECT_EQ(splitter.widget(2), &right);
    splitter.setSizes({200, 700, 100});
    EXPECT_GE(right.width(), 250);
    const int sideWidth = left.width();
    splitter.resize(1200, 400);
    EXPECT_EQ(left.width(), sideWidth);
}

TEST_F(PaneSplitterTest, ACollapseAnimatesThePaneAwayAndSettlesOnceItsAnimationHasEnded)
{
    QElapsedTimer clock;
    clock.start();
    splitter.setCollapsedAnimated(&right, true);
    EXPECT_TRUE(splitter.isCollapsed(&right));
    EXPECT_TRUE(settled.isEmpty()); // not before the animation has run
    EXPECT_TRUE(QTest::qWaitFor([&] { return settled.size() == 1; }));
    EXPECT_GE(clock.elapsed(), app::PaneSplitter::animationDurationMilliseconds - 20);
    EXPECT_EQ(settled.first(), &right);
    EXPECT_FALSE(animatingWhenSettled.first());
    EXPECT_FALSE(right.isVisible());
    EXPECT_GT(middle.width(), 700);

    // And back: the pane returns at its width.
    splitter.setCollapsedAnimated(&right, false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return settled.size() == 2; }));
    EXPECT_FALSE(splitter.isCollapsed(&right));
    EXPECT_TRUE(right.isVisible());
    EXPECT_GE(right.width(), 250);
    EXPECT_EQ(right.minimumWidth(), 250);
    QTest::qWait(50);
    EXPECT_EQ(settled.size(), 2);
}

TEST_F(PaneSplitterTest, AChangeInterruptedByAnotherSettlesOnceThePaneHasSettled)
{
    splitter.setCollapsedAnimated(&right, true);
    QTest::qWait(app::PaneSplitter::animationDurationMilliseconds / 3);
    ASSERT_TRUE(splitter.isAnimating(&right));
    // Changed back halfway: the pane comes back from where it has got to.
    splitter.setCollapsedAnimated(&right, false);
    EXPECT_TRUE(settled.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return settled.size() == 2; }));
    EXPECT_EQ(settled, QList<QWidget*>({&right, &right}));
    EXPECT_EQ(animatingWhenSettled, QList<bool>({false, false}));
    EXPECT_EQ(collapsedWhenSettled, QList<bool>({false, false}));
    EXPECT_TRUE(right.isVisible());
    QTest::qWait(app::PaneSplitter::animationDurationMilliseconds);
    EXPECT_EQ(settled.size(), 2);
}

TEST_F(PaneSplitterTest, AChangeToTheStateAPaneIsInSettlesAtOnce)
{
    QSignalSpy changed(&splitter, &app::PaneSplitter::collapsedChanged);
    splitter.setCollapsedAnimated(&left, false);
    EXPECT_EQ(settled, QList<QWidget*>({&left}));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(left.isVisible());
}

TEST(SidebarToggleControlTest, ASegmentShowsItsActionsStateAndAClickTriggersIt)
{
    QAction list("List");
    QAction inspector("Inspector");
    list.setCheckable(true);
    inspector.setCheckable(true);
    list.setChecked(true);
    app::SidebarToggleControl control;
    control.setActions(&list, &inspector);
    control.show();
    EXPECT_TRUE(control.isSelected(0));
    EXPECT_FALSE(control.isSelected(1));

    QSignalSpy triggered(&inspector, &QAction::triggered);
    QTest::mouseClick(&control, Qt::LeftButton, {}, control.segmentRect(1).center());
    ASSERT_EQ(triggered.count(), 1);
    EXPECT_TRUE(triggered.first().first().toBool());
    EXPECT_TRUE(control.isSelected(1));
    list.setChecked(false);
    EXPECT_FALSE(control.isSelected(0));
    // A disabled action leaves its segment as it is.
    list.setEnabled(false);
    QTest::mouseClick(&control, Qt::LeftButton, {}, control.segmentRect(0).center());
    EXPECT_FALSE(list.isChecked());
}

TEST(SmallViewsTest, TheMouseDownButtonFiresOnPressAndAReleaseElsewhereTakesNothingBack)
{
    app::MouseDownButton button(QStringLiteral("Go"));
    button.resize(80, 30);
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(500, 500));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_FALSE(button.isDown());
}

// Whether any pixel of the view's picture differs from the background colour.
int inkedPixels(QWidget& widget)
{
    const QImage picture = widget.grab().toImage();
    const QRgb background = picture.pixel(picture.width() - 2, picture.height() - 2);
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width() / 2; ++x)
            inked += picture.pixel(x, y) != background ? 1 : 0;
    }
    return inked;
}

TEST(SmallViewsTest, ThePlaceholderShowsOnlyWhileTheViewIsEmpty)
{
    app::PlaceholderTextView view;
    view.resize(300, 120);
    view.setFrameShape(QFrame::NoFrame);
    view.show();
    const int empty = inkedPixels(view);
    view.setPlaceholder(QStringLiteral("Your message"));
    view.viewport()->update();
    const int withPlaceholder = inkedPixels(view);
    EXPECT_GT(withPlaceholder, empty);
    view.setPlainText(QStringLiteral(" "));
    EXPECT_EQ(inkedPixels(view), empty);

    // The placeholder takes the view's own font when one was set, else the system size.
    EXPECT_EQ(view.placeholderFont().pointSizeF(), 13);
    QFont large = view.font();
    large.setPointSize(20);
    view.setFont(large);
    EXPECT_EQ(view.placeholderFont().pointSize(), 20);
}

} // namespace
