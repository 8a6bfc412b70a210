#include "app/AnimatableProgressIndicator.h"
#include "app/ProgressIndicatorAnimation.h"
#include "app/ProgressWindowController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

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
    ProgressWindowController* shown = nullptr;
    bool visible = false;
    bool blocksOthers = false;
    ProgressWindowController::showProgress([&](ProgressWindowController& controller) {
        shown = &controller;
        visible = controller.isVisible();
        blocksOthers = QApplication::activeModalWidget() == &controller;
    });
    EXPECT_TRUE(visible);
    EXPECT_TRUE(blocksOthers);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(ProgressWindowTest, TheBarFollowsEachStepAndReachesAHundredBeforeTheWindowCloses)
{
    QList<double> steps;
    BarWhenHidden seen;
    ProgressWindowController::showProgress([&](ProgressWindowController& controller) {
        controller.installEventFilter(&seen);
        for (double step : {10.0, 20.0, 30.0}) {
            controller.setProgress(step);
            steps.append(controller.progress());
        }
    });
    EXPECT_EQ(steps, (QList<double>{10, 20, 30}));
    // The work stopped at 30; the window still went away only once its bar stood at 100.
    ASSERT_EQ(seen.values.size(), 1);
    EXPECT_DOUBLE_EQ(seen.values.front(), 100);
}

TEST(ProgressWindowTest, AFailingWorkStillEndsTheSessionAndGivesFocusBack)
{
    QWidget before;
    before.show();
    before.activateWindow();
    QApplication::processEvents();
    QWidget* active = QApplication::activeWindow();
    QPointer<ProgressWindowController> window;

    EXPECT_THROW(ProgressWindowController::showProgress([&](ProgressWindowController& controller) {
                     window = &controller;
                     controller.setProgress(40);
                     throw std::runtime_error("disk gone");
                 }),
                 std::runtime_error);

    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QApplication::processEvents();
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
