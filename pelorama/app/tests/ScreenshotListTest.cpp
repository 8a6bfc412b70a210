// The screenshot list: rows in "order", the document's selection shown and changed, and drag reordering.
#include "TestContext.h"
#include "app/list/ScreenshotListDelegate.h"
#include "app/list/ScreenshotListModel.h"
#include "app/list/ScreenshotListView.h"
#include "canvas/ThumbnailDrawing.h"
#include "document/ScreenshotArrangement.h"
#include "foundation/KeyedArchiver.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/TextRect.h"
#include "model/rendering/RenderPool.h"
#include "model/selection/DocumentSelection.h"

#include <QApplication>
#include <QDrag>
#include <QMap>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

class ScreenshotListTest : public testing::Test
{
protected:
    void SetUp() override
    {
        screenshots = store.insertScreenshots({"A", "B", "C", "D", "E"});
        arrangement = std::make_unique<document::ScreenshotArrangement>(*store.context, selection);
        model = std::make_unique<app::ScreenshotListModel>(*arrangement);
        QObject::connect(&selection, &model::DocumentSelection::screenshotsChanged,
                         [this] { reported.append(selection.screenshot()); });
        view = std::make_unique<app::ScreenshotListView>(*model, selection);
        view->resize(220, 700);
        view->show();
    }

    // The rows selected in the view.
    QList<int> selectedRows() const
    {
        QList<int> rows;
        for (const QModelIndex& index : view->selectionModel()->selectedRows())
            rows.append(index.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    QPoint centreOf(int row) const { return view->visualRect(model->index(row)).center(); }

    // Lets the context report its changes, then waits until the rows on screen show them.
    bool showChanges() const
    {
        store.context->processPendingChanges();
        return QTest::qWaitFor([this] { return view->showsCurrentThumbnails(); });
    }

    // Counts the pictures of each screenshot that arrive.
    void countRenders()
    {
        QObject::connect(&view->thumbnails(), &canvas::ScreenshotThumbnails::pictureChanged, view.get(),
                         [this](model::Screenshot* screenshot) { ++renders[screenshot]; });
    }

    // Whether every whole row on screen shows, in the middle of its picture, its screenshot's solid
    // colour.
    ::testing::AssertionResult rowsShowTheirColours() const
    {
        const QImage shown = view->viewport()->grab().toImage();
        const double ratio = shown.devicePixelRatio();
        const auto [first, last] = view->shownRows();
        for (int row = first; row <= last; ++row) {
            const QRect rect = view->visualRect(model->index(row));
            const model::Screenshot* screenshot = model->screenshotAt(row);
            if (!view->viewport()->rect().contains(rect) ||
                screenshot->backgroundType() != model::BackgroundType::solid)
                continue;
            const QColor expected = screenshot->solidBackgroundColor().toQColor();
            const QColor found = shown.pixelColor((QPointF(rect.center()) * ratio).toPoint());
            if (std::abs(found.red() - expected.red()) + std::abs(found.green() - expected.green()) +
                    std::abs(found.blue() - expected.blue()) >
                6)
                return ::testing::AssertionFailure()
                       << "row " << row << " shows " << found.name().toStdString() << ", not "
                       << expected.name().toStdString();
        }
        return ::testing::AssertionSuccess();
    }

    QMap<model::Screenshot*, int> renders;

    TestContext store;
    QList<model::Screenshot*> screenshots;
    model::DocumentSelection selection;
    // The selected screenshot at every assignment of the selection.
    QList<model::Screenshot*> reported;
    std::unique_ptr<document::ScreenshotArrangement> arrangement;
    std::unique_ptr<app::ScreenshotListModel> model;
    std::unique_ptr<app::ScreenshotListView> view;
};

TEST_F(ScreenshotListTest, RowsFollowOrderAndTheFirstIsSelected)
{
    EXPECT_EQ(selection.screenshot(), screenshots[0]);
    EXPECT_EQ(selectedRows(), QList<int>({0}));
    screenshots[0]->setOrder(7); // A goes last, on the next pass
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return namesOf(arrangement->screenshots()) == QStringList({"B", "C", "D", "E", "A"});
    }));
    EXPECT_EQ(view->model()->rowCount(), 5);
    // The selection stays with its screenshot and is not assigned again.
    EXPECT_EQ(selection.screenshot(), screenshots[0]);
    EXPECT_EQ(selectedRows(), QList<int>({4}));
    EXPECT_TRUE(reported.isEmpty());
}

TEST_F(ScreenshotListTest, TheSelectionIsTheDocumentsBothWays)
{
    // Made elsewhere, shown here, and told every time.
    selection.setScreenshot(screenshots[2]);
    EXPECT_EQ(selectedRows(), QList<int>({2}));
    selection.setScreenshot(screenshots[2]);
    EXPECT_EQ(reported, QList<model::Screenshot*>({screenshots[2], screenshots[2]}));
    selection.setScreenshots({});
    EXPECT_TRUE(selectedRows().isEmpty());
    EXPECT_EQ(selection.screenshot(), nullptr);

    // A click selects in the document; a multiple selection has the first row's screenshot first.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(3));
    EXPECT_EQ(selection.screenshots(), QList<model::Screenshot*>({screenshots[3]}));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, centreOf(1));
    EXPECT_EQ(selection.screenshots(), QList<model::Screenshot*>({screenshots[1], screenshots[3]}));
    EXPECT_EQ(selection.screenshot(), screenshots[1]);
    // The list keeps a selection while it has rows.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, centreOf(1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, centreOf(3));
    EXPECT_EQ(selection.screenshots(), QList<model::Screenshot*>({screenshots[3]}));
    EXPECT_EQ(selectedRows(), QList<int>({3}));

    // Reordering keeps the selected screenshot selected.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(4));
    screenshots[4]->setOrder(-1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return selectedRows() == QList<int>({0}); }));
    EXPECT_EQ(selection.screenshot(), screenshots[4]);
}

TEST_F(ScreenshotListTest, DeletingTheSelectedScreenshotSelectsTheOneNowInItsPlace)
{
    selection.setScreenshot(screenshots[1]);
    reported.clear();
    arrangement->removeScreenshot(*screenshots[1]);
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "C", "D", "E"}));
    EXPECT_EQ(selection.screenshot(), screenshots[2]);
    EXPECT_EQ(reported, QList<model::Screenshot*>({screenshots[2]}));
    EXPECT_EQ(selectedRows(), QList<int>({1}));
    // The last one deleted: the one before it.
    selection.setScreenshot(screenshots[4]);
    arrangement->removeScreenshot(*screenshots[4]);
    EXPECT_EQ(selection.screenshot(), screenshots[3]);
}

TEST_F(ScreenshotListTest, InsertingOrDeletingAScreenshotKeepsTheOtherRowsAndTheirPictures)
{
    ASSERT_TRUE(showChanges());
    countRenders();
    QSignalSpy resets(model.get(), &QAbstractItemModel::modelReset);

    auto* inserted = model::Screenshot::insertInto(*store.context);
    inserted->setName(QStringLiteral("C2"));
    inserted->setOrder(2.5);
    inserted->setSize({400, 300});
    ASSERT_TRUE(showChanges());
    ASSERT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "B", "C", "C2", "D", "E"}));
    EXPECT_EQ(renders, (QMap<model::Screenshot*, int>{{inserted, 1}}));

    arrangement->removeScreenshot(*screenshots[1]);
    ASSERT_TRUE(showChanges());
    ASSERT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "C", "C2", "D", "E"}));
    EXPECT_EQ(renders, (QMap<model::Screenshot*, int>{{inserted, 1}}));
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(ScreenshotListTest, AThumbnailIsRenderedAgainOnlyWhenItsOwnScreenshotChangesTheWayItLooks)
{
    ASSERT_TRUE(showChanges());
    countRenders();
    auto* caption =
        model::TextRect::insertInto(*store.context, {0, 0, 400, 300}, "Before",
                                    graphics::TextAlignment::center, model::VerticalAlignment::center);
    caption->setFont(graphics::Font("HelveticaNeue", 60));
    model::DrawableMapping::insert(*caption, *screenshots[2], *store.context);
    ASSERT_TRUE(showChanges());
    EXPECT_EQ(renders, (QMap<model::Screenshot*, int>{{screenshots[2], 1}}));

    caption->setText("After");
    ASSERT_TRUE(showChanges());
    screenshots[3]->setBackgroundType(model::BackgroundType::solid);
    screenshots[3]->setSolidBackgroundColor(graphics::Color{0, 0.5, 0, 1});
    ASSERT_TRUE(showChanges());
    EXPECT_EQ(renders, (QMap<model::Screenshot*, int>{{screenshots[2], 2}, {screenshots[3], 1}}));
    EXPECT_TRUE(rowsShowTheirColours());

    // A new name changes no pixel; nor does the canvas, rendered again, find anything new.
    screenshots[3]->setName("Renamed");
    ASSERT_TRUE(showChanges());
    selection.setScreenshot(screenshots[3]);
    view->refreshSelectedThumbnail();
    ASSERT_TRUE(showChanges());
    EXPECT_EQ(renders, (QMap<model::Screenshot*, int>{{screenshots[2], 2}, {screenshots[3], 1}}));
}

TEST_F(ScreenshotListTest, ARowShowsItsPictureOnBlackWithAWhiteBorderAndAShadowBelow)
{
    screenshots[0]->setBackgroundType(model::BackgroundType::solid);
    screenshots[0]->setSolidBackgroundColor(graphics::Color{1, 0, 0, 1});
    selection.setScreenshot(screenshots[4]);
    ASSERT_TRUE(showChanges());
    const QImage shown = view->viewport()->grab().toImage();
    const QRect row = view->visualRect(model->index(0));
    const QRect cell =
        row.adjusted(app::ScreenshotListDelegate::sideMargin, 0, -app::ScreenshotListDelegate::sideMargin, 0);
    const std::optional<graphics::Rect> frame = canvas::ThumbnailDrawing::frame(
        view->thumbnails().picture(*screenshots[0])->size(), {double(cell.width()), double(cell.height())});
    ASSERT_TRUE(frame);
    const auto at = [&](double x, double y) {
        return shown.pixelColor(
            QPointF((cell.left() + x) * shown.devicePixelRatio(), (cell.top() + y) * shown.devicePixelRatio())
                .toPoint());
    };
    // The left and top edges of the frame are the border, its inside the red screenshot.
    EXPECT_EQ(at(frame->minX(), frame->midY()), QColor(Qt::white));
    EXPECT_EQ(at(frame->midX(), frame->minY()), QColor(Qt::white));
    EXPECT_EQ(at(frame->midX(), frame->midY()), QColor(Qt::red));
    // Below the frame the shadow darkens the background; beside it the background shows plainly.
    const QColor plain = at(1, frame->midY());
    EXPECT_EQ(at(frame->midX(), 2), plain);
    EXPECT_LT(at(frame->midX(), frame->maxY() + 0.5).lightness(), plain.lightness());
}

// A list far longer than the screen: the rows scrolled to show their pictures, render state is kept for
// the rows on screen only, and pictures far away are freed under the budget and come back when wanted.
TEST_F(ScreenshotListTest, ScrollingShowsEveryRowsPictureWhileRenderStateStaysWithTheRowsOnScreen)
{
    QStringList names;
    for (int index = 0; index < 120; ++index)
        names.append(QStringLiteral("Row %1").arg(index));
    QList<model::Screenshot*> all = screenshots + store.insertScreenshots(names);
    for (qsizetype index = 0; index < all.size(); ++index) {
        all[index]->setOrder(double(index));
        all[index]->setBackgroundType(model::BackgroundType::solid);
        all[index]->setSolidBackgroundColor(graphics::Color::fromQColor(
            QColor::fromHsv(int(index * 47 % 360), 160 + int(index * 13 % 90), 120 + int(index * 29 % 130))));
    }
    constexpr std::size_t picture = 266 * 200 * 4;
    view->thumbnails().setBudget(20 * picture);
    const std::size_t renderers = std::size_t(model::renderPool().maxThreadCount());

    const auto check = [&] {
        ASSERT_TRUE(showChanges());
        EXPECT_TRUE(rowsShowTheirColours());
        const auto [first, last] = view->shownRows();
        const std::size_t shown = std::size_t(last - first + 1);
        EXPECT_LE(view->thumbnails().liveCount(), shown + renderers);
        EXPECT_LE(view->thumbnails().pictureBytes(), 20 * picture + shown * picture);
    };
    check();
    while (view->shownRows().second < int(all.size()) - 1) {
        QTest::keyClick(view.get(), Qt::Key_PageDown);
        check();
        if (HasFatalFailure())
            return;
    }
    EXPECT_LT(view->thumbnails().pictureCount(), 40u) << "pictures far from the screen are freed";
    QTest::keyClick(view.get(), Qt::Key_Home);
    check();
}
TEST_F(ScreenshotListTest, ADropSkipsScreenshotsThatAreGoneAndRefusesWhatIsNoDragOfRows)
{
    QMimeData data;
    const QVariantList uris{
        screenshots[4]->objectID().uriRepresentation(),
        QUrl(QStringLiteral("x-store:///Screenshot/t00000000-0000-0000-0000-000000000000"))};
    data.setData(app::ScreenshotListModel::mimeType(), *foundation::KeyedArchiver().archivedData(uris));
    ASSERT_TRUE(model->dropMimeData(&data, Qt::MoveAction, 0, 0, {}));
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"E", "A", "B", "C", "D"}));
    // A drop on a row goes above it.
    ASSERT_TRUE(model->dropMimeData(&data, Qt::MoveAction, -1, -1, model->index(3)));
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "B", "E", "C", "D"}));

    QMimeData garbage;
    garbage.setData(app::ScreenshotListModel::mimeType(), "not an archive");
    EXPECT_FALSE(model->dropMimeData(&garbage, Qt::MoveAction, 0, 0, {}));
    QMimeData text;
    text.setText(QStringLiteral("Screenshot"));
    EXPECT_FALSE(model->canDropMimeData(&text, Qt::MoveAction, 0, 0, {}));
    EXPECT_FALSE(model->dropMimeData(&text, Qt::MoveAction, 0, 0, {}));
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "B", "E", "C", "D"}));
}

TEST_F(ScreenshotListTest, TheDraggedRowsAreTheirScreenshotsInListOrder)
{
    std::unique_ptr<QMimeData> data(model->mimeData({model->index(3), model->index(1)}));
    ASSERT_TRUE(data->hasFormat("Screenshot"));
    // Dropped at the end, they go last in list order.
    ASSERT_TRUE(model->dropMimeData(data.get(), Qt::MoveAction, -1, -1, {}));
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "C", "E", "B", "D"}));
    EXPECT_EQ(ordersOf(arrangement->screenshots()), QList<double>({0, 1, 2, 3, 4}));
}

// Every accepted drop numbers all rows 0, 1, 2, ... in their new sequence as one step to undo, also a drop
// onto the dragged rows' own place and one whose screenshots are all gone, and no row's picture is
// rendered again for its new number.
TEST_F(ScreenshotListTest, EveryAcceptedDropNumbersTheRowsAgainAsOneStepWithoutRedrawingThem)
{
    struct Case
    {
        QList<int> dragged; // rows; -1: a screenshot that is gone
        int row;            // -1: below the last
        int onRow;          // the row dropped on (above it), or -1
        QStringList names;
    };
    const QList<Case> cases{
        {{1}, 4, -1, {"A", "C", "D", "B", "E"}},  {{1, 3}, 4, -1, {"A", "C", "B", "D", "E"}},
        {{2}, 2, -1, {"A", "B", "C", "D", "E"}},  {{2}, 3, -1, {"A", "B", "C", "D", "E"}},
        {{4}, -1, -1, {"A", "B", "C", "D", "E"}}, {{0}, -1, 3, {"B", "C", "A", "D", "E"}},
        {{-1}, 0, -1, {"A", "B", "C", "D", "E"}},
    };
    QUndoStack undo;
    store.context->setUndoStack(&undo);
    countRenders();
    const QUrl gone(QStringLiteral("x-store:///Screenshot/t00000000-0000-0000-0000-000000000000"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names.join(' ').toStdString());
        for (qsizetype i = 0; i < screenshots.size(); ++i)
            screenshots[i]->setOrder(10.0 * double(i) + 0.5);
        ASSERT_TRUE(showChanges());
        ASSERT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "B", "C", "D", "E"}));
        QVariantList uris;
        for (int row : c.dragged)
            uris.append(row >= 0 ? screenshots[row]->objectID().uriRepresentation() : gone);
        QMimeData data;
        data.setData(app::ScreenshotListModel::mimeType(), *foundation::KeyedArchiver().archivedData(uris));
        renders.clear();
        const int steps = undo.index();

        ASSERT_TRUE(model->dropMimeData(&data, Qt::MoveAction, c.row, 0,
                                        c.onRow >= 0 ? model->index(c.onRow) : QModelIndex()));

        EXPECT_EQ(namesOf(arrangement->screenshots()), c.names);
        EXPECT_EQ(ordersOf(arrangement->screenshots()), QList<double>({0, 1, 2, 3, 4}));
        EXPECT_EQ(undo.index(), steps + 1);
        ASSERT_TRUE(showChanges());
        EXPECT_TRUE(renders.isEmpty());
        undo.undo();
        EXPECT_EQ(ordersOf(arrangement->screenshots()), QList<double>({0.5, 10.5, 20.5, 30.5, 40.5}));
    }
    store.context->setUndoStack(nullptr);
}

TEST_F(ScreenshotListTest, TheGapOfADropFollowsWhereInTheRowThePointerIs)
{
    const QRect row = view->visualRect(model->index(1));
    EXPECT_EQ(view->dropRow(QPoint(10, row.top() + 2)), 1);
    EXPECT_EQ(view->dropRow(QPoint(10, row.center().y())), 1) << "the middle of a row: above it";
    EXPECT_EQ(view->dropRow(QPoint(10, row.bottom() - 1)), 2);
    EXPECT_EQ(view->dropRow(QPoint(10, view->viewport()->height() - 2)), 5);
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

    // A point just inside the top of row, where a drop goes into the gap above it.
    QPoint topOf(int row) const
    {
        const QRect rect = view->visualRect(model->index(row));
        return {rect.center().x(), rect.top() + 3};
    }

    // Presses at start and drags to target (viewport coordinates) as a user does: once the pointer has
    // moved far enough the view starts its drag, and Qt's drag loop takes the moves and the release, which
    // a timer sends while that loop runs. during runs over the target, before the release. Answers
    // whether a drag ran.
    bool drag(QPoint start, QPoint target, int steps = 8, const std::function<void()>& during = {})
    {
        QWidget* viewport = view->viewport();
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
    const int gap = view->visualRect(model->index(4)).top();
    QImage duringDrag;
    ASSERT_TRUE(drag(centreOf(1), topOf(4), 8, [&] { duringDrag = view->viewport()->grab().toImage(); }));

    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "C", "D", "B", "E"}));
    EXPECT_EQ(ordersOf(arrangement->screenshots()), QList<double>({0, 1, 2, 3, 4}));
    // The moved row stays selected.
    EXPECT_EQ(selection.screenshot(), screenshots[1]);
    EXPECT_EQ(selectedRows(), QList<int>({3}));
    EXPECT_EQ(selection.screenshots(), QList<model::Screenshot*>({screenshots[1]}));
    // While dragging, a line in the highlight colour marks the gap the row will go into.
    const QColor highlight = view->palette().color(QPalette::Highlight);
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
        return namesOf(arrangement->screenshots()) == QStringList({"A", "B", "C", "D", "E"});
    }));
    EXPECT_EQ(ordersOf(arrangement->screenshots()), QList<double>({0, 1, 2, 3, 4}));
}

TEST_F(ScreenshotListDragTest, ARowDraggedUpFastFromBesideItsThumbnailMoves)
{
    const QRect last = view->visualRect(model->index(4));
    ASSERT_TRUE(drag(QPoint(last.left() + 1, last.center().y()), topOf(0), 1));
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"E", "A", "B", "C", "D"}));
    EXPECT_EQ(ordersOf(arrangement->screenshots()), QList<double>({0, 1, 2, 3, 4}));
    EXPECT_EQ(selection.screenshot(), screenshots[4]);
}

TEST_F(ScreenshotListDragTest, SelectedRowsMoveTogetherInTheirOrderAndBelowTheLastRowTheyGoLast)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, centreOf(3));
    ASSERT_EQ(selectedRows(), QList<int>({1, 3}));
    const QRect last = view->visualRect(model->index(4));
    ASSERT_LT(last.bottom() + 20, view->viewport()->height());
    ASSERT_TRUE(drag(centreOf(3), QPoint(last.center().x(), last.bottom() + 20)));
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "C", "E", "B", "D"}));
    EXPECT_EQ(ordersOf(arrangement->screenshots()), QList<double>({0, 1, 2, 3, 4}));
    EXPECT_EQ(selectedRows(), QList<int>({3, 4}));
}

TEST_F(ScreenshotListDragTest, ADropOnTheMiddleOfARowGoesAboveIt)
{
    ASSERT_TRUE(drag(centreOf(0), centreOf(3)));
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"B", "C", "A", "D", "E"}));
}

TEST_F(ScreenshotListDragTest, ARowDroppedOntoItsOwnPlaceStaysAndEveryRowIsRenumbered)
{
    for (qsizetype i = 0; i < screenshots.size(); ++i)
        screenshots[i]->setOrder(10.0 * double(i) + 0.5);
    QTest::qWait(1);
    const int steps = undo.count();
    ASSERT_TRUE(drag(centreOf(2), topOf(2)));
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(ordersOf(arrangement->screenshots()), QList<double>({0, 1, 2, 3, 4}));
    EXPECT_EQ(undo.count(), steps + 1);
}

TEST_F(ScreenshotListDragTest, ADragFromAnotherWidgetIsRefusedWhateverItCarries)
{
    QWidget stranger;
    stranger.resize(100, 100);
    stranger.show();
    QTest::mousePress(&stranger, Qt::LeftButton, {}, QPoint(50, 50));
    auto* data = new QMimeData;
    data->setData(app::ScreenshotListModel::mimeType(),
                  *foundation::KeyedArchiver().archivedData(
                      QVariantList{screenshots[0]->objectID().uriRepresentation()}));
    QDrag dragged(&stranger);
    dragged.setMimeData(data);
    QTimer::singleShot(0, [this] {
        QTest::mouseMove(view->viewport(), centreOf(2));
        QTest::mouseMove(view->viewport(), topOf(4));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, topOf(4));
    });
    EXPECT_EQ(dragged.exec(Qt::MoveAction), Qt::IgnoreAction);
    QCoreApplication::processEvents();
    EXPECT_EQ(namesOf(arrangement->screenshots()), QStringList({"A", "B", "C", "D", "E"}));
}

} // namespace
