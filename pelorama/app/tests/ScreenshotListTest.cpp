// The screenshot list: rows in "order", selection reported to the delegate, and drag reordering.
#include "TestContext.h"
#include "app/ArrayController.h"
#include "app/ScreenshotTableCellView.h"
#include "app/ScreenshotTableViewController.h"
#include "app/TableView.h"
#include "app/TableViewReorderingHelper.h"
#include "canvas/ScreenshotThumbnailView.h"
#include "foundation/KeyedArchiver.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

struct RecordingDelegate : app::ScreenshotTableViewControllerDelegate
{
    void screenshotTableViewControllerDidSelectScreenshot(app::ScreenshotTableViewController&,
                                                          model::Screenshot* screenshot) override
    {
        selections.append(screenshot);
    }
    QList<model::Screenshot*> selections;
};

class ScreenshotListTest : public testing::Test
{
protected:
    void SetUp() override
    {
        screenshots = store.insertScreenshots({"A", "B", "C", "D", "E"});
        list = std::make_unique<app::ScreenshotTableViewController>(*store.context);
        list->setDelegate(&delegate);
        list->view()->resize(220, 700);
        list->view()->show();
        table = list->screenshotTableView();
        controller = list->screenshotArrayController();
    }

    TestContext store;
    QList<model::Screenshot*> screenshots;
    RecordingDelegate delegate;
    std::unique_ptr<app::ScreenshotTableViewController> list;
    app::TableView* table = nullptr;
    app::ArrayController* controller = nullptr;
};

TEST_F(ScreenshotListTest, RowsFollowOrderAndTheFirstIsSelectedAndReported)
{
    screenshots[0]->setOrder(7); // A goes last, on the next pass
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return namesOf(controller->arrangedObjects()) == QStringList({"B", "C", "D", "E", "A"});
    }));
    EXPECT_EQ(table->model()->rowCount(), 5);
    ASSERT_FALSE(delegate.selections.isEmpty());
    EXPECT_EQ(delegate.selections.last(), screenshots[0]);
    EXPECT_EQ(list->selectedScreenshot(), screenshots[0]);
    // Every row has its cell, showing its own screenshot.
    for (int row = 0; row < 5; ++row) {
        app::ScreenshotTableCellView* cell = list->cellAtRow(row);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->thumbnailView()->screenshot(), controller->arrangedObjects()[row]);
    }
}

TEST_F(ScreenshotListTest, SelectionIsReportedEveryTimeAndFollowsItsObject)
{
    delegate.selections.clear();
    controller->setSelectionIndexes({2});
    ASSERT_EQ(delegate.selections.size(), 1);
    EXPECT_EQ(delegate.selections.last(), screenshots[2]);
    // The same selection again tells the delegate again.
    controller->setSelectionIndexes({2});
    EXPECT_EQ(delegate.selections.size(), 2);
    // A multiple selection reports its first object.
    controller->setSelectionIndexes({3, 1});
    EXPECT_EQ(delegate.selections.last(), screenshots[1]);
    // Clearing it reports none.
    controller->setSelectionIndexes({});
    EXPECT_EQ(delegate.selections.last(), nullptr);
    EXPECT_EQ(list->selectedScreenshot(), nullptr);

    // A click on a row selects its screenshot.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(controller->index(4)).center());
    EXPECT_EQ(list->selectedScreenshot(), screenshots[4]);
    // Reordering keeps the selected object selected.
    screenshots[4]->setOrder(-1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return controller->selectionIndexes() == QList<int>({0}); }));
    EXPECT_EQ(list->selectedScreenshot(), screenshots[4]);
}

TEST_F(ScreenshotListTest, DeletingTheSelectedScreenshotSelectsTheOneNowInItsPlace)
{
    controller->setSelectionIndexes({1});
    controller->removeObject(screenshots[1]);
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "C", "D", "E"}));
    EXPECT_EQ(list->selectedScreenshot(), screenshots[2]);
}

TEST_F(ScreenshotListTest, InsertingOrDeletingAScreenshotKeepsTheOtherRowsAndTheirCells)
{
    QList<QPointer<app::ScreenshotTableCellView>> cells;
    for (int row = 0; row < 5; ++row)
        cells.append(list->cellAtRow(row));
    QSignalSpy resets(controller, &QAbstractItemModel::modelReset);

    auto* inserted = model::Screenshot::insertInto(*store.context);
    inserted->setName(QStringLiteral("C2"));
    inserted->setOrder(2.5);
    inserted->setSize({400, 300});
    store.context->processPendingChanges();
    QCoreApplication::processEvents();
    ASSERT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "B", "C", "C2", "D", "E"}));
    for (int row : {0, 1, 2})
        EXPECT_EQ(list->cellAtRow(row), cells[row]) << "row " << row;
    for (int row : {3, 4})
        EXPECT_EQ(list->cellAtRow(row + 1), cells[row]) << "row " << row;
    ASSERT_NE(list->cellAtRow(3), nullptr);
    EXPECT_EQ(list->cellAtRow(3)->thumbnailView()->screenshot(), inserted);

    controller->removeObject(screenshots[1]);
    QCoreApplication::processEvents();
    ASSERT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "C", "C2", "D", "E"}));
    EXPECT_EQ(list->cellAtRow(0), cells[0]);
    EXPECT_EQ(list->cellAtRow(1), cells[2]);
    EXPECT_EQ(list->cellAtRow(4), cells[4]);
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(ScreenshotListTest, ObjectsThatAreGoneAreSkippedAndBadDataIsRefused)
{
    QMimeData data;
    const QVariantList uris{
        screenshots[4]->objectID().uriRepresentation(),
        QUrl(QStringLiteral("x-store:///Screenshot/t00000000-0000-0000-0000-000000000000"))};
    data.setData(QStringLiteral("Screenshot"), *foundation::KeyedArchiver().archivedData(uris));
    app::DraggingInfo info;
    info.pasteboard = &data;
    info.source = table;
    ASSERT_TRUE(list->tableViewReorderingHelper()->acceptDrop(*table, info, 0, app::DropOperation::Above));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"E", "A", "B", "C", "D"}));

    QMimeData garbage;
    garbage.setData(QStringLiteral("Screenshot"), "not an archive");
    info.pasteboard = &garbage;
    EXPECT_FALSE(list->tableViewReorderingHelper()->acceptDrop(*table, info, 0, app::DropOperation::Above));
    QMimeData text;
    text.setText(QStringLiteral("Screenshot"));
    info.pasteboard = &text;
    EXPECT_FALSE(list->tableViewReorderingHelper()->acceptDrop(*table, info, 0, app::DropOperation::Above));
}

TEST_F(ScreenshotListTest, ATableWithoutContentIsLeftWithoutDragSupport)
{
    app::TableView bare;
    app::TableViewReorderingHelper helper;
    testing::internal::CaptureStdout();
    helper.setup(bare);
    QMimeData data;
    EXPECT_FALSE(helper.writeRows(bare, {0}, data));
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("Warning: Could not find array controller through content binding of table view!"),
              std::string::npos);
    EXPECT_TRUE(bare.registeredDraggedTypes().isEmpty());
}

TEST_F(ScreenshotListTest, TheTableProposesDropsByWhereInTheRowThePointerIs)
{
    const QRect row = table->visualRect(controller->index(1));
    EXPECT_EQ(table->proposedDrop(QPoint(10, row.top() + 2)), std::make_pair(1, app::DropOperation::Above));
    EXPECT_EQ(table->proposedDrop(QPoint(10, row.center().y())), std::make_pair(1, app::DropOperation::On));
    EXPECT_EQ(table->proposedDrop(QPoint(10, row.bottom() - 1)),
              std::make_pair(2, app::DropOperation::Above));
    EXPECT_EQ(table->proposedDrop(QPoint(10, table->viewport()->height() - 2)),
              std::make_pair(5, app::DropOperation::Above));
}

TEST_F(ScreenshotListTest, UpdateImageRendersTheThumbnailOnALaterPass)
{
    app::ScreenshotTableCellView* cell = list->cellAtRow(0);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell->thumbnailView()->image().has_value(); }));
    cell->thumbnailView()->setImage(std::nullopt);
    cell->updateImage();
    EXPECT_FALSE(cell->thumbnailView()->image().has_value());
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell->thumbnailView()->image().has_value(); }));
}

// Drags go through Qt's own drag loop, as a user's do. The offscreen platform ends every drag at once,
// so this suite runs on the minimal platform (see this program's CMakeLists.txt).
class ScreenshotListDragTest : public ScreenshotListTest
{
protected:
    void SetUp() override
    {
        ASSERT_NE(QGuiApplication::platformName(), QStringLiteral("offscreen"))
            << "drags need a platform that runs Qt's drag loop, such as QT_QPA_PLATFORM=minimal";
        ScreenshotListTest::SetUp();
        store.context->setUndoStack(&undo);
    }

    void TearDown() override { store.context->setUndoStack(nullptr); }

    QPoint centreOf(int row) const { return table->visualRect(controller->index(row)).center(); }
    // A point just inside the top of row, where a drop goes into the gap above it.
    QPoint topOf(int row) const
    {
        const QRect rect = table->visualRect(controller->index(row));
        return {rect.center().x(), rect.top() + 3};
    }

    // Presses at start and drags to target (viewport coordinates) as a user does: once the pointer has
    // moved far enough the view starts its drag, and Qt's drag loop takes the moves and the release, which
    // a timer sends while that loop runs. during runs over the target, before the release. Answers
    // whether a drag ran.
    bool drag(QPoint start, QPoint target, int steps = 8, const std::function<void()>& during = {})
    {
        QWidget* viewport = table->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        const int direction = target.y() >= start.y() ? 1 : -1;
        const QPoint moved = start + QPoint(0, direction * (QApplication::startDragDistance() + 1));
        bool ran = false;
        QTimer driver;
        driver.setSingleShot(true);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            ran = true;
            for (int step = 1; step <= steps; ++step)
                QTest::mouseMove(viewport, moved + (target - moved) * step / steps);
            if (during)
                during();
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, target);
        });
        // The view arms its drag on the first move and starts it on a move far enough from the press.
        QTest::mouseMove(viewport, start + QPoint(0, direction));
        driver.start(0);
        QTest::mouseMove(viewport, moved);
        driver.stop();
        if (!ran)
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, target);
        // The drag loop hands the release back to the view afterwards.
        QCoreApplication::processEvents();
        return ran;
    }

    QUndoStack undo;
};

TEST_F(ScreenshotListDragTest, ARowDraggedDownGoesIntoTheGapUnderThePointerAsOneStepToUndo)
{
    const int steps = undo.count();
    const int gap = table->visualRect(controller->index(4)).top();
    QImage duringDrag;
    ASSERT_TRUE(drag(centreOf(1), topOf(4), 8, [&] { duringDrag = table->viewport()->grab().toImage(); }));

    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "C", "D", "B", "E"}));
    EXPECT_EQ(ordersOf(controller->arrangedObjects()), QList<double>({0, 1, 2, 3, 4}));
    // The moved row stays selected.
    EXPECT_EQ(list->selectedScreenshot(), screenshots[1]);
    EXPECT_EQ(controller->selectionIndexes(), QList<int>({3}));
    // While dragging, a line in the highlight colour marks the gap the row will go into.
    const QColor highlight = table->palette().color(QPalette::Highlight);
    const QColor line = duringDrag.pixelColor(duringDrag.width() / 2, gap);
    EXPECT_LE(std::abs(line.red() - highlight.red()) + std::abs(line.green() - highlight.green()) +
                  std::abs(line.blue() - highlight.blue()),
              24)
        << line.name().toStdString() << " at the gap, not " << highlight.name().toStdString();
    const QColor inRow = duringDrag.pixelColor(duringDrag.width() / 2, gap - 30);
    EXPECT_NE(inRow.name(), line.name());

    ASSERT_EQ(undo.count(), steps + 1);
    undo.undo();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return namesOf(controller->arrangedObjects()) == QStringList({"A", "B", "C", "D", "E"});
    }));
    EXPECT_EQ(ordersOf(controller->arrangedObjects()), QList<double>({0, 1, 2, 3, 4}));
}

TEST_F(ScreenshotListDragTest, ARowDraggedUpFastFromBesideItsThumbnailMoves)
{
    const QRect last = table->visualRect(controller->index(4));
    ASSERT_TRUE(drag(QPoint(last.left() + 1, last.center().y()), topOf(0), 1));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"E", "A", "B", "C", "D"}));
    EXPECT_EQ(ordersOf(controller->arrangedObjects()), QList<double>({0, 1, 2, 3, 4}));
    EXPECT_EQ(list->selectedScreenshot(), screenshots[4]);
}

TEST_F(ScreenshotListDragTest, SelectedRowsMoveTogetherInTheirOrderAndBelowTheLastRowTheyGoLast)
{
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centreOf(1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier, centreOf(3));
    ASSERT_EQ(controller->selectionIndexes(), QList<int>({1, 3}));
    const QRect last = table->visualRect(controller->index(4));
    ASSERT_LT(last.bottom() + 20, table->viewport()->height());
    ASSERT_TRUE(drag(centreOf(3), QPoint(last.center().x(), last.bottom() + 20)));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "C", "E", "B", "D"}));
    EXPECT_EQ(ordersOf(controller->arrangedObjects()), QList<double>({0, 1, 2, 3, 4}));
    EXPECT_EQ(controller->selectionIndexes(), QList<int>({3, 4}));
}

TEST_F(ScreenshotListDragTest, ADropOnTheMiddleOfARowGoesAboveIt)
{
    ASSERT_TRUE(drag(centreOf(0), centreOf(3)));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"B", "C", "A", "D", "E"}));
}

TEST_F(ScreenshotListDragTest, ARowDroppedOntoItsOwnPlaceStaysAndEveryRowIsRenumbered)
{
    for (qsizetype i = 0; i < screenshots.size(); ++i)
        screenshots[i]->setOrder(10.0 * double(i) + 0.5);
    QTest::qWait(1);
    ASSERT_TRUE(drag(centreOf(2), topOf(2)));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(ordersOf(controller->arrangedObjects()), QList<double>({0, 1, 2, 3, 4}));
}

TEST_F(ScreenshotListDragTest, ADragFromAnotherWidgetIsRefusedWhateverItCarries)
{
    QWidget stranger;
    stranger.resize(100, 100);
    stranger.show();
    QTest::mousePress(&stranger, Qt::LeftButton, {}, QPoint(50, 50));
    auto* data = new QMimeData;
    data->setData(QStringLiteral("Screenshot"), *foundation::KeyedArchiver().archivedData(QVariantList{
                                                    screenshots[0]->objectID().uriRepresentation()}));
    QDrag dragged(&stranger);
    dragged.setMimeData(data);
    QTimer::singleShot(0, [this] {
        QTest::mouseMove(table->viewport(), centreOf(2));
        QTest::mouseMove(table->viewport(), topOf(4));
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, topOf(4));
    });
    EXPECT_EQ(dragged.exec(Qt::MoveAction), Qt::IgnoreAction);
    QCoreApplication::processEvents();
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "B", "C", "D", "E"}));
}

} // namespace
