#include "app/export/AnimatableProgressIndicator.h"
#include "app/export/ProgressIndicatorAnimation.h"
#include "app/export/ProgressWindowController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

using pelorama::app::AnimatableProgressIndicator;
using pelorama::app::ProgressWindowController;

namespace {

void waitFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The bar's value each time the progress window leaves the screen.
class BarWhenHidden : public QObject
{
public:
    explicit BarWhenHidden(ProgressWindowController& window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            if (auto* window = qobject_cast<ProgressWindowController*>(watched))
                values.append(window->progressIndicator()->doubleValue());
        }
        return false;
    }

    QList<double> values;
};

} // namespace

TEST(ProgressWindowTest, AWorkWithoutProgressStillShowsTheWindowAndEndsAtAHundred)
{
    ProgressWindowController controller;
    BarWhenHidden seen(controller);
    QSignalSpy ended(&controller, &ProgressWindowController::sessionEnded);

    controller.beginSession();
    EXPECT_TRUE(controller.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), &controller);
    controller.finish();
    // The bar first moves to 100; the window stays until it is there.
    EXPECT_TRUE(controller.isVisible());

    ASSERT_TRUE(ended.wait(2000));
    EXPECT_FALSE(controller.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_EQ(seen.values.size(), 1);
    EXPECT_DOUBLE_EQ(seen.values.front(), 100);
}

TEST(ProgressWindowTest, TheBarFollowsEachStepAndReachesAHundredBeforeTheWindowCloses)
{
    ProgressWindowController controller;
    BarWhenHidden seen(controller);
    QSignalSpy ended(&controller, &ProgressWindowController::sessionEnded);
    controller.beginSession();
    QList<double> steps;
    for (double step : {10.0, 20.0, 30.0}) {
        controller.setProgress(step);
        steps.append(controller.progress());
        waitFor(20);
    }
    EXPECT_EQ(steps, (QList<double>{10, 20, 30}));
    // Each step starts from where the bar stands; it never goes back.
    EXPECT_GT(controller.progressIndicator()->doubleValue(), 0);
    EXPECT_LE(controller.progressIndicator()->doubleValue(), 30);

    controller.finish();
    ASSERT_TRUE(ended.wait(2000));
    // The work stopped at 30; the window still went away only once its bar stood at 100.
    ASSERT_EQ(seen.values.size(), 1);
    EXPECT_DOUBLE_EQ(seen.values.front(), 100);
    EXPECT_EQ(ended.count(), 1);
}

TEST(ProgressWindowTest, TheUserCannotCloseTheWindowWhileTheWorkRunsAndFocusGoesBackAfterwards)
{
    QWidget before;
    before.show();
    before.activateWindow();
    QApplication::processEvents();
    QWidget* active = QApplication::activeWindow();
    ProgressWindowController controller;
    QSignalSpy ended(&controller, &ProgressWindowController::sessionEnded);
    controller.beginSession();

    QTest::keyClick(&controller, Qt::Key_Escape);
    EXPECT_FALSE(controller.close());
    EXPECT_TRUE(controller.isVisible());
    EXPECT_TRUE(controller.isSessionRunning());
    EXPECT_EQ(ended.count(), 0);

    controller.finish();
    ASSERT_TRUE(ended.wait(2000));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(QApplication::activeWindow(), active);
}

TEST(ProgressWindowTest, ANewTargetStartsFromWhereTheBarStandsAndAStoppedAnimationNeverCompletes)
{
    AnimatableProgressIndicator bar;
    int firstCompleted = 0;
    int secondCompleted = 0;
    bar.animateTo(30, [&] { ++firstCompleted; });
    waitFor(60);
    const double midway = bar.doubleValue();
    EXPECT_GT(midway, 0);
    EXPECT_LT(midway, 30);

    bar.animateTo(50, [&] { ++secondCompleted; });
    EXPECT_DOUBLE_EQ(bar.animation()->fromValue(), midway);
    EXPECT_EQ(bar.animation()->toValue(), 50);
    QElapsedTimer clock;
    clock.start();
    while (secondCompleted == 0 && clock.elapsed() < 2000)
        waitFor(10);
    EXPECT_EQ(secondCompleted, 1);
    EXPECT_EQ(firstCompleted, 0);
    EXPECT_DOUBLE_EQ(bar.doubleValue(), 50);
    EXPECT_EQ(bar.value(), 500);
}
