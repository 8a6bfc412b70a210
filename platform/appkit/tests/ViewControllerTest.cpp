#include "appkit/widgets/ViewController.h"

#include "appkit/widgets/Popover.h"
#include "appkit/widgets/Storyboard.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using appkit::Popover;
using appkit::RectEdge;
using appkit::ViewController;

namespace {

class CountingController : public ViewController
{
public:
    int loads = 0;
    int appearances = 0;

protected:
    void loadView() override
    {
        ++loads;
        auto* view = new QWidget;
        auto* layout = new QVBoxLayout(view);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* label = new QLabel(QStringLiteral("content"));
        label->setFixedSize(120, 40);
        layout->addWidget(label);
        setView(view);
    }
    void viewWillAppear() override { ++appearances; }
};

} // namespace

TEST(AppkitTest, ControllerIsFoundFromItsViewAndFromWidgetsInside)
{
    ViewController controller;
    QWidget* view = controller.view();
    auto* inner = new QWidget(new QWidget(view));
    EXPECT_EQ(ViewController::forView(view), &controller);
    EXPECT_EQ(ViewController::forView(inner), nullptr);
    EXPECT_EQ(ViewController::nextResponderController(inner), &controller);

    QWidget loose;
    EXPECT_EQ(ViewController::nextResponderController(&loose), nullptr);
}

TEST(AppkitTest, ViewLoadsOnceAndAppearanceIsReported)
{
    CountingController controller;
    EXPECT_FALSE(controller.isViewLoaded());
    QWidget* view = controller.view();
    EXPECT_EQ(controller.view(), view);
    EXPECT_EQ(controller.loads, 1);
    view->show();
    view->hide();
    view->show();
    EXPECT_EQ(controller.appearances, 2);
}

TEST(AppkitTest, ControllerTakesItsViewAlongWhenDestroyed)
{
    QPointer<QWidget> view;
    {
        ViewController controller;
        view = controller.view();
    }
    EXPECT_TRUE(view.isNull());

    // A view deleted by its parent widget first leaves the controller without one.
    auto controller = std::make_unique<ViewController>();
    {
        QWidget holder;
        controller->view()->setParent(&holder);
    }
    EXPECT_FALSE(controller->isViewLoaded());
}

TEST(AppkitTest, ChildControllerRemovedFromItsParentBelongsToTheCaller)
{
    ViewController parent;
    auto* child = new ViewController;
    parent.addChildViewController(child);
    EXPECT_EQ(child->parentViewController(), &parent);
    EXPECT_EQ(parent.childViewControllers(), QList<ViewController*>{child});

    std::unique_ptr<ViewController> removed = child->removeFromParentViewController();
    EXPECT_EQ(removed.get(), child);
    EXPECT_TRUE(parent.childViewControllers().isEmpty());
    EXPECT_FALSE(removed->removeFromParentViewController());
}

TEST(AppkitTest, StoryboardMakesControllersThatKnowIt)
{
    auto storyboard = appkit::Storyboard::create();
    storyboard->registerController(QStringLiteral("A"), [] { return std::make_unique<ViewController>(); });
    std::unique_ptr<ViewController> made = storyboard->instantiateController(QStringLiteral("A"));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->storyboard(), storyboard);
    EXPECT_FALSE(storyboard->instantiateController(QStringLiteral("B")));
}

TEST(AppkitTest, PopoverOpensOnTheAskedEdgeAndGivesTheViewBackWhenClosed)
{
    QWidget anchor;
    anchor.setGeometry(300, 250, 40, 24);
    anchor.show();
    CountingController controller;

    QPointer<Popover> popover = new Popover;
    popover->setReleasedWhenClosed(true);
    popover->setContentViewController(&controller);
    QSignalSpy closed(popover.data(), &Popover::didClose);
    popover->showRelativeTo(QRect(), &anchor, RectEdge::right);
    ASSERT_TRUE(popover->isShown());
    EXPECT_EQ(popover->shownEdge(), RectEdge::right);
    const QRect anchorFrame(anchor.mapToGlobal(QPoint()), anchor.size());
    EXPECT_EQ(popover->geometry().left(), anchorFrame.right() + 1);
    EXPECT_NEAR(popover->geometry().center().y(), anchorFrame.center().y(), 1);
    EXPECT_EQ(controller.view()->parentWidget(), popover.data());
    EXPECT_EQ(controller.view()->size(), QSize(120, 40));

    QTest::keyClick(popover.data(), Qt::Key_Escape);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(controller.view()->parentWidget(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popover.isNull());
}

TEST(AppkitTest, PopoverAboveAWidgetTurnsBelowWhenTheScreenHasNoRoomAbove)
{
    QWidget anchor;
    anchor.setGeometry(300, 0, 40, 24);
    anchor.show();
    CountingController controller;
    Popover popover;
    popover.setContentViewController(&controller);
    popover.showRelativeTo(QRect(), &anchor, RectEdge::top);
    EXPECT_EQ(popover.shownEdge(), RectEdge::bottom);
    EXPECT_GT(popover.geometry().top(), anchor.mapToGlobal(QPoint()).y());
    popover.close();
}

TEST(AppkitTest, ReplacedViewIsDeletedOnceTheEventLoopComesBack)
{
    ViewController controller;
    QPointer<QWidget> first = controller.view();
    auto* second = new QWidget;
    controller.setView(second);
    EXPECT_EQ(controller.view(), second);
    EXPECT_EQ(ViewController::forView(second), &controller);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(ViewController::forView(first), nullptr);
    EXPECT_FALSE(first->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    // Setting no view gives the old one up too; the next request loads a fresh one.
    QPointer<QWidget> replaced = second;
    controller.setView(nullptr);
    EXPECT_FALSE(controller.isViewLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(replaced.isNull());
    EXPECT_NE(controller.view(), nullptr);
}

TEST(AppkitTest, ReplacingAViewKeepsWhatIsStillWanted)
{
    // A new view that sat inside the old one survives the old one.
    QPointer<QWidget> inner;
    {
        ViewController controller;
        inner = new QLabel(QStringLiteral("inner"), controller.view());
        controller.setView(inner);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(inner.isNull());
        EXPECT_EQ(inner->parentWidget(), nullptr);
        EXPECT_EQ(controller.view(), inner.data());
    }
    EXPECT_TRUE(inner.isNull());

    // A replaced view whose parent widget is deleted first is deleted exactly once.
    ViewController controller;
    QPointer<QWidget> old;
    {
        QWidget holder;
        old = controller.view();
        old->setParent(&holder);
        controller.setView(new QWidget);
    }
    EXPECT_TRUE(old.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(AppkitTest, AButtonInsideTheViewCanReplaceIt)
{
    ViewController controller;
    QPointer<QWidget> first = controller.view();
    auto* button = new QPushButton(QStringLiteral("Next"), first);
    QObject::connect(button, &QPushButton::clicked,
                     [&controller] { controller.setView(new QLabel("next")); });
    first->show();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(qobject_cast<QLabel*>(controller.view())->text(), "next");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
}
