#include "tessaline/Tessaline/ViewPinning.h"

#include "appkit/widgets/Storyboard.h"
#include "appkit/widgets/ViewController.h"
#include "tessaline/Tessaline/FullWidthSegmentedControl.h"
#include "tessaline/Tessaline/ViewControllerInstantiation.h"

#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A widget with a fixed preferred size, like a view with an intrinsic content size.
class SizedView : public QWidget
{
public:
    explicit SizedView(QSize size)
        : m_size(size)
    {}
    QSize sizeHint() const override { return m_size; }

private:
    QSize m_size;
};

// A container that places pinned subviews its own way.
class CustomPinning : public QWidget, public tessaline::PinningView
{
public:
    using PinningView::pinWidthAndHeightOf;
    void pinWidthAndHeightOf(QWidget* view) override { view->setGeometry(1, 2, 3, 4); }
};

QList<double> segmentWidths(const appkit::SegmentedControl& control)
{
    QList<double> widths;
    for (int i = 0; i < control.segmentCount(); ++i) {
        widths.append(control.widthForSegment(i));
    }
    return widths;
}

} // namespace

TEST(TessalineTest, PinnedSubviewFillsItsContainerInsideTheBorder)
{
    QWidget container;
    container.resize(200, 100);
    container.show();
    auto* plain = new QWidget;
    tessaline::addAndPin(&container, plain);
    EXPECT_EQ(plain->parentWidget(), &container);
    EXPECT_EQ(plain->geometry(), QRect(0, 0, 200, 100));

    auto* inset = new QWidget;
    tessaline::addAndPin(&container, inset, 10);
    EXPECT_EQ(inset->geometry(), QRect(10, 10, 180, 80));
    EXPECT_EQ(container.children().last(), inset);

    container.resize(300, 50);
    EXPECT_EQ(plain->geometry(), QRect(0, 0, 300, 50));
    EXPECT_EQ(inset->geometry(), QRect(10, 10, 280, 30));
}

TEST(TessalineTest, PinningSiblingsMovesTheReceiverAroundTheView)
{
    QWidget container;
    container.resize(300, 300);
    container.show();
    auto* anchor = new QWidget(&container);
    anchor->setGeometry(50, 60, 100, 40);
    anchor->show();
    auto* follower = new QWidget(&container);
    tessaline::pinWidthAndHeight(follower, anchor, 5);
    EXPECT_EQ(follower->geometry(), QRect(45, 55, 110, 50));
    anchor->setGeometry(0, 0, 20, 20);
    EXPECT_EQ(follower->geometry(), QRect(-5, -5, 30, 30));
}

TEST(TessalineTest, CentredSubviewKeepsItsPreferredSize)
{
    QWidget container;
    container.resize(200, 100);
    container.show();
    auto* view = new SizedView(QSize(40, 20));
    tessaline::addAndCenter(&container, view);
    EXPECT_EQ(view->geometry(), QRect(80, 40, 40, 20));
    container.resize(100, 100);
    EXPECT_EQ(view->geometry(), QRect(30, 40, 40, 20));
}

TEST(TessalineTest, CentredAndConstrainedSubviewReachesAtMostTheBorderBeyondTheContainer)
{
    QWidget container;
    container.resize(100, 50);
    auto* large = new SizedView(QSize(300, 300));
    tessaline::addCenteredAndConstrainedToBounds(&container, large, 10);
    EXPECT_EQ(large->geometry(), QRect(-10, -10, 120, 70));

    auto* small = new SizedView(QSize(20, 10));
    tessaline::addCenteredAndConstrainedToBounds(&container, small);
    EXPECT_EQ(small->geometry(), QRect(40, 20, 20, 10));

    auto* tight = new SizedView(QSize(300, 30));
    tessaline::addCenteredAndConstrainedToBounds(&container, tight);
    EXPECT_EQ(tight->geometry(), QRect(0, 10, 100, 30));
}

TEST(TessalineTest, AddingAndPinningGoesThroughTheReceiversOwnPinning)
{
    CustomPinning container;
    container.resize(200, 100);
    auto* view = new QWidget;
    tessaline::addAndPin(&container, view);
    EXPECT_EQ(view->geometry(), QRect(1, 2, 3, 4));
    // The border variant is not overridden, so the standard pinning applies.
    auto* other = new QWidget;
    tessaline::addAndPin(&container, other, 4);
    EXPECT_EQ(other->geometry(), QRect(4, 4, 192, 92));
}

TEST(TessalineTest, ExplicitlyHiddenSubviewStaysHiddenWhenAdded)
{
    QWidget container;
    container.resize(50, 50);
    container.show();
    auto* hidden = new QWidget;
    hidden->hide();
    tessaline::addAndPin(&container, hidden);
    EXPECT_FALSE(hidden->isVisible());
    auto* shown = new QWidget;
    tessaline::addAndPin(&container, shown);
    EXPECT_TRUE(shown->isVisible());
}

TEST(TessalineTest, InstantiatingFromAStoryboardPinsTheNewViewInside)
{
    auto storyboard = appkit::Storyboard::create();
    storyboard->registerController(QStringLiteral("Detail"),
                                   [] { return std::make_unique<appkit::ViewController>(); });
    std::unique_ptr<appkit::ViewController> source =
        storyboard->instantiateController(QStringLiteral("Detail"));
    ASSERT_TRUE(source);

    QWidget holder;
    holder.resize(120, 80);
    std::unique_ptr<appkit::ViewController> made =
        tessaline::instantiateViewControllerWithIdentifier(*source, QStringLiteral("Detail"), &holder);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->view()->parentWidget(), &holder);
    EXPECT_EQ(made->view()->geometry(), QRect(0, 0, 120, 80));
    EXPECT_EQ(made->parentViewController(), nullptr);

    EXPECT_FALSE(
        tessaline::instantiateViewControllerWithIdentifier(*source, QStringLiteral("Missing"), &holder));
    appkit::ViewController loose;
    EXPECT_FALSE(
        tessaline::instantiateViewControllerWithIdentifier(loose, QStringLiteral("Detail"), &holder));
    EXPECT_EQ(holder.children().size(), 1);
}

TEST(TessalineTest, FullWidthSegmentsShareTheWidthLessOnePointPerBoundary)
{
    tessaline::FullWidthSegmentedControl three;
    three.setSegmentCount(3);
    three.resize(302, 24);
    three.show();
    EXPECT_EQ(segmentWidths(three), (QList<double>{100, 100, 98}));

    tessaline::FullWidthSegmentedControl four;
    four.setSegmentCount(4);
    four.setAlignmentRectInsets(QMargins(2, 0, 1, 0));
    four.resize(306, 24);
    four.show();
    EXPECT_EQ(segmentWidths(four), (QList<double>{75, 75, 75, 73}));
    // The segments then fill the inside of the border exactly.
    EXPECT_EQ(four.segmentRect(3).right(), 306 - 1 - 1);

    tessaline::FullWidthSegmentedControl none;
    none.resize(100, 24);
    none.show();
    EXPECT_EQ(none.segmentCount(), 0);
}
