// The window chrome: split view panes, the sidebar toggle, toolbar validation and the small views.
#include "app/MouseDownButton.h"
#include "app/PlaceholderTextView.h"
#include "app/SidebarToggleControl.h"
#include "app/SidebarToggleController.h"
#include "app/SplitViewController.h"
#include "app/Toolbar.h"
#include "app/ToolbarItemValidation.h"

#include <QAction>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

struct RecordingToggleDelegate : app::SidebarToggleControllerDelegate
{
    void sidebarToggleControllerDidChangeVisibilityOf(app::SidebarToggleController&,
                                                      app::SplitViewItem& item) override
    {
        items.append(&item);
        collapsedWhenTold.append(item.isCollapsed());
        animatingWhenTold.append(item.isAnimating());
    }
    QList<app::SplitViewItem*> items;
    QList<bool> collapsedWhenTold;
    QList<bool> animatingWhenTold;
};

class SidebarTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<std::unique_ptr<app::SplitViewItem>> items;
        items.push_back(std::make_unique<app::SplitViewItem>(&left, app::SplitViewItem::Behavior::Sidebar));
        items.push_back(std::make_unique<app::SplitViewItem>(&middle, app::SplitViewItem::Behavior::Default));
        items.push_back(std::make_unique<app::SplitViewItem>(&right, app::SplitViewItem::Behavior::Sidebar));
        items[2]->setMinimumThickness(250);
        leftItem = items[0].get();
        rightItem = items[2].get();
        split.setSplitViewItems(std::move(items));
        split.view()->resize(1000, 400);
        split.view()->show();
        split.splitter()->setSizes({200, 550, 250});
        toggle.setSegmentedControl(&control);
        toggle.setDelegate(&delegate);
        toggle.setLeftSplitViewItem(leftItem);
        toggle.setRightSplitViewItem(rightItem);
    }

    appkit::ViewController left, middle, right;
    app::SplitViewController split;
    app::SplitViewItem* leftItem = nullptr;
    app::SplitViewItem* rightItem = nullptr;
    app::SidebarToggleControl control;
    app::SidebarToggleController toggle;
    RecordingToggleDelegate delegate;
};

TEST_F(SidebarTest, PanesKeepTheirMinimumWidth)
{
    EXPECT_EQ(split.splitter()->count(), 3);
    EXPECT_EQ(split.splitter()->widget(2), right.view());
    EXPECT_EQ(right.view()->minimumWidth(), 250);
    split.splitter()->setSizes({200, 700, 100});
    EXPECT_GE(right.view()->width(), 250);
}

TEST_F(SidebarTest, ClickingASegmentCollapsesItsPaneAndTellsTheDelegateOnceTheAnimationHasEnded)
{
    EXPECT_TRUE(control.isSelected(0));
    EXPECT_TRUE(control.isSelected(1));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(&control, Qt::LeftButton, {}, control.segmentRect(1).center());
    EXPECT_FALSE(control.isSelected(1));
    EXPECT_TRUE(rightItem->isCollapsed());
    EXPECT_TRUE(delegate.items.isEmpty()); // not before the animation has run
    EXPECT_TRUE(QTest::qWaitFor([&] { return delegate.items.size() == 1; }));
    EXPECT_GE(clock.elapsed(), app::SplitViewItem::animationDurationMilliseconds - 20);
    EXPECT_EQ(delegate.items.first(), rightItem);
    EXPECT_FALSE(delegate.animatingWhenTold.first());
    EXPECT_FALSE(right.view()->isVisible());
    EXPECT_GT(middle.view()->width(), 700);

    // And back: the pane returns at its width.
    QTest::mouseClick(&control, Qt::LeftButton, {}, control.segmentRect(1).center());
    EXPECT_TRUE(control.isSelected(1));
    EXPECT_TRUE(QTest::qWaitFor([&] { return delegate.items.size() == 2; }));
    EXPECT_FALSE(rightItem->isCollapsed());
    EXPECT_TRUE(right.view()->isVisible());
    EXPECT_GE(right.view()->width(), 250);
    EXPECT_EQ(right.view()->minimumWidth(), 250);
    QTest::qWait(50);
    EXPECT_EQ(delegate.items.size(), 2);
}

TEST_F(SidebarTest, AToggleInterruptedByAnotherIsToldOfOnceThePaneHasSettled)
{
    QTest::mouseClick(&control, Qt::LeftButton, {}, control.segmentRect(1).center());
    QTest::qWait(app::SplitViewItem::animationDurationMilliseconds / 3);
    ASSERT_TRUE(rightItem->isAnimating());
    // Clicked again halfway: the pane comes back from where it has got to.
    QTest::mouseClick(&control, Qt::LeftButton, {}, control.segmentRect(1).center());
    EXPECT_TRUE(control.isSelected(1));
    EXPECT_TRUE(delegate.items.isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return delegate.items.size() == 2; }));
    EXPECT_EQ(delegate.items, QList<app::SplitViewItem*>({rightItem, rightItem}));
    EXPECT_EQ(delegate.animatingWhenTold, QList<bool>({false, false}));
    EXPECT_EQ(delegate.collapsedWhenTold, QList<bool>({false, false}));
    EXPECT_TRUE(right.view()->isVisible());
    QTest::qWait(app::SplitViewItem::animationDurationMilliseconds);
    EXPECT_EQ(delegate.items.size(), 2);
}

TEST_F(SidebarTest, TogglesFromAnythingButTheControlOrOfAnotherSegmentChangeNothing)
{
    QObject stranger;
    toggle.toggleSidebarVisibility(&stranger);
    toggle.toggleSidebarVisibility(nullptr);
    control.setSelectedSegment(2);
    toggle.toggleSidebarVisibility(&control);
    control.setSelectedSegment(-1);
    toggle.toggleSidebarVisibility(&control);
    QTest::qWait(app::SplitViewItem::animationDurationMilliseconds + 50);
    EXPECT_TRUE(delegate.items.isEmpty());
    EXPECT_FALSE(leftItem->isCollapsed());
    EXPECT_FALSE(rightItem->isCollapsed());
}

TEST_F(SidebarTest, AssigningAnItemSelectsItsSegmentExactlyWhenItIsExpanded)
{
    leftItem->setCollapsed(true);
    toggle.setLeftSplitViewItem(leftItem);
    EXPECT_FALSE(control.isSelected(0));
    EXPECT_FALSE(left.view()->isVisible());
    leftItem->setCollapsed(false);
    toggle.setLeftSplitViewItem(leftItem);
    EXPECT_TRUE(control.isSelected(0));
    // The View menu's command goes through the same path.
    toggle.toggleSidebar(0);
    EXPECT_FALSE(control.isSelected(0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return delegate.items.size() == 1; }));
    EXPECT_EQ(delegate.items.first(), leftItem);
}

class Validating : public QObject, public app::ToolbarItemValidation
{
public:
    explicit Validating(bool answer)
        : m_answer(answer)
    {}
    bool validateToolbarItem(const QAction&) override { return m_answer; }

private:
    bool m_answer;
};

TEST(ToolbarTest, ControlItemsAreEnabledByTheTargetOfTheirCommand)
{
    app::Toolbar toolbar(QStringLiteral("test"));
    QAction* unhandled = toolbar.addItem("a", "A", {}, "nobodyHandlesThis");
    QAction* plainTarget = toolbar.addItem("b", "B", {}, "plain");
    QAction* refused = toolbar.addItem("c", "C", {}, "refused");
    QAction* allowed = toolbar.addItem("d", "D", {}, "allowed");
    QAction* noCommand = toolbar.addItem("e", "E", {}, {});
    QObject plain;
    Validating no(false), yes(true);
    toolbar.setTargetResolver([&](const QString& selector) -> QObject* {
        if (selector == "plain")
            return &plain;
        if (selector == "refused")
            return &no;
        if (selector == "allowed")
            return &yes;
        return nullptr;
    });
    toolbar.show();
    for (QAction* item : {unhandled, plainTarget, allowed, noCommand})
        item->setEnabled(false);
    refused->setEnabled(true);
    toolbar.validateVisibleItems();
    EXPECT_FALSE(unhandled->isEnabled());
    EXPECT_TRUE(plainTarget->isEnabled());
    EXPECT_FALSE(refused->isEnabled());
    EXPECT_TRUE(allowed->isEnabled());
    EXPECT_FALSE(noCommand->isEnabled());
    EXPECT_EQ(toolbar.itemWithIdentifier("c"), refused);
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
