// A mouse gesture in the inspector is one undo step, however many passes of the event loop it spans.
#include "app/InspectorUndoGrouping.h"

#include "TestContext.h"

#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

TEST(InspectorUndoGroupingTest, ADragInTheInspectorIsOneUndoStep)
{
    TestContext store;
    QUndoStack undo;
    store.context->setUndoStack(&undo);
    auto* screenshot = store.insertScreenshots({"A"}).first();
    QCoreApplication::processEvents();
    undo.clear();

    QWidget inspector;
    QWidget dial(&inspector);
    dial.resize(40, 40);
    QWidget elsewhere;
    inspector.show();
    elsewhere.show();
    app::InspectorUndoGrouping grouping(inspector, *store.context);

    QTest::mousePress(&dial, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(grouping.isGestureOpen());
    for (int step = 1; step <= 5; ++step) {
        screenshot->setOrder(step);
        QCoreApplication::processEvents();
    }
    QTest::mouseRelease(&dial, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_FALSE(grouping.isGestureOpen());
    QCoreApplication::processEvents();
    EXPECT_EQ(undo.count(), 1);
    undo.undo();
    EXPECT_EQ(screenshot->order(), 0);

    // Presses elsewhere leave the passes as they are.
    QTest::mousePress(&elsewhere, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(grouping.isGestureOpen());
    QTest::mouseRelease(&elsewhere, Qt::LeftButton, {}, QPoint(5, 5));
}

} // namespace
