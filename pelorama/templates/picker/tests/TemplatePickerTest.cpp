// The template picker: categories and their remembered choice, the grid, previews arriving from other
// threads, and how the sheet ends.
#include "graphics/Image.h"
#include "templates/Template.h"
#include "templates/TemplateCategory.h"
#include "templates/Theme.h"
#include "templates/picker/CollectionView.h"
#include "templates/picker/HighlightView.h"
#include "templates/picker/SheetWindow.h"
#include "templates/picker/TemplateCollectionViewItem.h"
#include "templates/picker/TemplateSectionHeaderView.h"
#include "templates/picker/TemplateView.h"
#include "templates/picker/TemplateViewController.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QThread>
#include <cmath>
#include <gtest/gtest.h>

using namespace pelorama::templates;

namespace {

const QString key = QString::fromLatin1(TemplateViewController::categorySettingKey);

class PickerTest : public testing::Test
{
protected:
    void SetUp() override { QSettings().remove(key); }
    void TearDown() override { QSettings().remove(key); }

    // Shows a new picker in a sheet over a window and records how the sheet ends.
    TemplateViewController* begin()
    {
        parentWindow.resize(900, 700);
        parentWindow.show();
        auto controller = std::make_unique<TemplateViewController>();
        TemplateViewController* picker = controller.get();
        sheet = SheetWindow::beginSheet(&parentWindow, std::move(controller), [this, picker](int code) {
            returnCodes.append(code);
            chosen = picker->selectedTemplate();
        });
        return picker;
    }

    QWidget parentWindow;
    QPointer<SheetWindow> sheet;
    QList<int> returnCodes;
    Template* chosen = nullptr;
};

QImage solid(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGBA8888_Premultiplied);
    image.fill(color);
    return image;
}

TEST_F(PickerTest, WithoutAStoredCategoryItOpensOnTheFirstAndWritesNothing)
{
    TemplateViewController picker;
    picker.view();
    EXPECT_EQ(&picker.selectedTemplateCategory(), &TemplateCategory::all().front());
    EXPECT_FALSE(QSettings().contains(key));
    EXPECT_EQ(picker.selectedTemplate(), nullptr);
    EXPECT_EQ(picker.categoryChooser()->count(), int(TemplateCategory::all().size()));
}

TEST_F(PickerTest, AStoredCategoryIsOpenedAndAnUnknownOneGivesWayToTheFirst)
{
    QSettings().setValue(key, "Mac");
    {
        TemplateViewController picker;
        picker.view();
        EXPECT_EQ(&picker.selectedTemplateCategory(), &TemplateCategory::mac());
        EXPECT_EQ(picker.categoryChooser()->currentText(), "Mac");
    }
    QSettings().setValue(key, "Apple Watch");
    TemplateViewController picker;
    picker.view();
    EXPECT_EQ(&picker.selectedTemplateCategory(), &TemplateCategory::all().front());
    EXPECT_EQ(QSettings().value(key).toString(), TemplateCategory::all().front().name());
}

TEST_F(PickerTest, ChoosingACategoryShowsOneSectionPerThemeAndIsRemembered)
{
    TemplateViewController picker;
    picker.view()->resize(720, 560);
    picker.view()->show();
    picker.categoryChooser()->setCurrentIndex(2);
    emit picker.categoryChooser()->activated(2);
    const TemplateCategory& mac = TemplateCategory::mac();
    EXPECT_EQ(&picker.selectedTemplateCategory(), &mac);
    EXPECT_EQ(QSettings().value(key).toString(), "Mac");
    CollectionView* grid = picker.collectionView();
    ASSERT_EQ(grid->numberOfSections(), int(mac.templateGroups().size()));
    for (int section = 0; section < grid->numberOfSections(); ++section) {
        const TemplateGroup& group = mac.templateGroups()[size_t(section)];
        ASSERT_EQ(grid->numberOfItems(section), int(group.templates().size()));
        auto* header = qobject_cast<TemplateSectionHeaderView*>(grid->supplementaryView(section));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->title(), group.name());
        auto* item = qobject_cast<TemplateCollectionViewItem*>(grid->item({section, 0}));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->representedObject(), group.templates().front().get());
        EXPECT_EQ(item->size(), QSize(150, 150));
    }
    TemplateViewController next;
    next.view();
    EXPECT_EQ(&next.selectedTemplateCategory(), &mac);
}

TEST_F(PickerTest, SectionHeadersStayPinnedWhileTheirSectionScrollsBy)
{
    TemplateViewController picker;
    picker.view()->resize(400, 400);
    picker.view()->show();
    CollectionView* grid = picker.collectionView();
    ASSERT_GT(grid->numberOfSections(), 1);
    QWidget* firstHeader = grid->supplementaryView(0);
    QWidget* secondHeader = grid->supplementaryView(1);
    const int secondTop = secondHeader->y();
    grid->verticalScrollBar()->setValue(40);
    EXPECT_EQ(firstHeader->y(), 40);
    EXPECT_EQ(secondHeader->y(), secondTop);
    grid->verticalScrollBar()->setValue(secondTop + 25);
    EXPECT_EQ(secondHeader->y(), secondTop + 25);
    EXPECT_LE(firstHeader->y() + firstHeader->height(), secondTop);
}

TEST_F(PickerTest, AfterTheSheetIsResizedTheScrollBarSpansTheGridAndItsThumbScrollsIt)
{
    TemplateViewController* picker = begin();
    CollectionView* grid = picker->collectionView();
    QScrollBar* bar = grid->verticalScrollBar();
    const auto dragThumbToMiddle = [&] {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        const QRect thumb =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        const QRect groove =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
        QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
        QTest::mouseMove(bar, QPoint(thumb.center().x(), groove.center().y()));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(thumb.center().x(), groove.center().y()));
    };
    // Wider and taller, narrower, then much larger while scrolled to the end.
    for (const QSize size : {QSize(1100, 800), QSize(560, 420), QSize(1500, 1000)}) {
        bar->setValue(bar->maximum());
        sheet->resize(size);
        QCoreApplication::processEvents();
        const int viewportHeight = grid->viewport()->height();
        const int contentHeight = grid->widget()->height();
        ASSERT_GT(contentHeight, viewportHeight) << size.width() << "x" << size.height();
        EXPECT_EQ(grid->widget()->width(), grid->viewport()->width());
        EXPECT_EQ(bar->maximum(), contentHeight - viewportHeight);
        EXPECT_EQ(bar->pageStep(), viewportHeight);
        dragThumbToMiddle();
        EXPECT_NEAR(bar->value(), bar->maximum() / 2.0, bar->maximum() / 20.0 + 2);
        // The grid follows the thumb.
        EXPECT_EQ(grid->widget()->y(), -bar->value());
    }
}

// A key typed as the user types it: to whatever has the focus in the active window.
void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
}

TEST_F(PickerTest, AddOrReturnWithNothingSelectedEndsWithOneAndNoTemplate)
{
    TemplateViewController* picker = begin();
    QTest::mouseClick(picker->addButton(), Qt::LeftButton);
    begin();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    type(Qt::Key_Return);
    EXPECT_EQ(returnCodes, QList<int>({1, 1}));
    EXPECT_EQ(chosen, nullptr);
}

TEST_F(PickerTest, ArrowsMoveTheSelectionAcrossSectionsAndReturnAddsIt)
{
    TemplateViewController* picker = begin();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    CollectionView* grid = picker->collectionView();
    ASSERT_EQ(QApplication::focusWidget(), grid);
    EXPECT_TRUE(grid->selectionIndexPaths().empty());
    const auto selected = [grid] {
        return grid->selectionIndexPaths().size() == 1 ? grid->selectionIndexPaths().front()
                                                       : IndexPath{-1, -1};
    };

    type(Qt::Key_Right); // the first arrow selects the item the grid starts from
    EXPECT_EQ(selected(), (IndexPath{0, 0}));
    const int firstSection = grid->numberOfItems(0);
    for (int step = 1; step < firstSection; ++step)
        type(Qt::Key_Right);
    EXPECT_EQ(selected(), (IndexPath{0, firstSection - 1}));
    type(Qt::Key_Right);
    EXPECT_EQ(selected(), (IndexPath{1, 0}));
    type(Qt::Key_Left);
    EXPECT_EQ(selected(), (IndexPath{0, firstSection - 1}));
    type(Qt::Key_Right);
    // Up from a section's first row: the same column of the last row above.
    const QPoint below = grid->item({1, 0})->pos();
    int above = -1;
    for (int item = 0; item < firstSection; ++item) {
        const QPoint place = grid->item({0, item})->pos();
        if (place.x() == below.x() && (above < 0 || place.y() > grid->item({0, above})->y()))
            above = item;
    }
    type(Qt::Key_Up);
    EXPECT_EQ(selected(), (IndexPath{0, above}));
    type(Qt::Key_Down);
    EXPECT_EQ(selected(), (IndexPath{1, 0}));
    type(Qt::Key_Down);
    const IndexPath chosenPath = selected();
    EXPECT_EQ(chosenPath.section, 1);
    EXPECT_GT(grid->item(chosenPath)->y(), below.y());
    EXPECT_TRUE(returnCodes.isEmpty());

    type(Qt::Key_Return);
    EXPECT_EQ(returnCodes, QList<int>({1}));
    EXPECT_EQ(chosen, TemplateCategory::all()
                          .front()
                          .templateGroups()[size_t(chosenPath.section)]
                          .templates()[size_t(chosenPath.item)]
                          .get());
}

// The grid opens with the focus on its first item, which is not selected: nothing marks that item until
// the keyboard is used, and then a frame that shares no colour with the selection.
TEST_F(PickerTest, TheFocusFrameShowsOnceTheKeyboardIsUsedAndLooksUnlikeTheSelection)
{
    TemplateViewController* picker = begin();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    CollectionView* grid = picker->collectionView();
    auto* frame = grid->findChild<QWidget*>("focusFrame");
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), grid);
    EXPECT_FALSE(frame->isVisible());

    type(Qt::Key_Right);
    ASSERT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->geometry().center(), grid->item({0, 0})->geometry().center());
    const QColor highlight = grid->palette().color(QPalette::Active, QPalette::Highlight);
    const QImage drawn = frame->grab().toImage();
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor pixel = drawn.pixelColor(x, y);
            if (pixel.alpha() == 0)
                continue;
            ++inked;
            EXPECT_GT(std::abs(pixel.red() - highlight.red()) + std::abs(pixel.green() - highlight.green()) +
                          std::abs(pixel.blue() - highlight.blue()),
                      60)
                << x << "," << y;
        }
    }
    EXPECT_GT(inked, 0);

    // Away and back by the keyboard, the frame follows the focus.
    type(Qt::Key_Tab);
    EXPECT_FALSE(frame->isVisible());
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), grid);
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(PickerTest, TabReachesTheChooserAndTheButtonsAndEscapeCancels)
{
    TemplateViewController* picker = begin();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    const QList<QWidget*> order{picker->categoryChooser(), picker->cancelButton(), picker->addButton(),
                                picker->collectionView()};
    for (QWidget* next : order) {
        type(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), picker->addButton());
    type(Qt::Key_Escape);
    EXPECT_EQ(returnCodes, QList<int>({0}));
    EXPECT_EQ(chosen, nullptr);
}

TEST_F(PickerTest, CancelEndsWithZeroAndLeavesTheTemplateAlone)
{
    TemplateViewController* picker = begin();
    picker->collectionView()->selectItems({{0, 1}});
    QTest::mouseClick(picker->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(returnCodes, QList<int>({0}));
    EXPECT_EQ(chosen, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sheet.isNull(); }));
}

TEST_F(PickerTest, ADoubleClickSelectsWithTheFirstClickAndAddsWithTheSecond)
{
    TemplateViewController* picker = begin();
    CollectionViewItem* item = picker->collectionView()->item({1, 2});
    ASSERT_NE(item, nullptr);
    QTest::mousePress(item, Qt::LeftButton, {}, item->rect().center());
    EXPECT_TRUE(item->isSelected());
    EXPECT_TRUE(returnCodes.isEmpty());
    QTest::mouseDClick(item, Qt::LeftButton, {}, item->rect().center());
    EXPECT_EQ(returnCodes, QList<int>({1}));
    EXPECT_EQ(chosen, TemplateCategory::all().front().templateGroups()[1].templates()[2].get());
}

TEST_F(PickerTest, SelectingAnItemHighlightsItAndOnlyIt)
{
    TemplateViewController* picker = begin();
    CollectionView* grid = picker->collectionView();
    grid->selectItems({{0, 0}});
    grid->selectItems({{0, 1}});
    auto* first = qobject_cast<TemplateCollectionViewItem*>(grid->item({0, 0}));
    auto* second = qobject_cast<TemplateCollectionViewItem*>(grid->item({0, 1}));
    EXPECT_FALSE(first->isSelected());
    EXPECT_FALSE(first->imageHighlightView()->isHighlighted());
    EXPECT_TRUE(second->isSelected());
    EXPECT_TRUE(second->imageHighlightView()->isHighlighted());
    EXPECT_TRUE(second->titleHighlightView()->isHighlighted());
    EXPECT_EQ(grid->selectionIndexPaths().size(), 1u);
}

TEST_F(PickerTest, ASelectedCellTakesItsColoursFromThePalette)
{
    TemplateViewController* picker = begin();
    QPalette colours = sheet->palette();
    colours.setColor(QPalette::Highlight, QColor(0, 160, 60));
    colours.setColor(QPalette::HighlightedText, QColor(250, 240, 10));
    colours.setColor(QPalette::WindowText, QColor(20, 20, 90));
    sheet->setPalette(colours);
    auto* cell = qobject_cast<TemplateCollectionViewItem*>(picker->collectionView()->item({0, 1}));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->titleLabel()->palette().color(QPalette::WindowText), QColor(20, 20, 90));
    QTest::mouseClick(cell, Qt::LeftButton, {}, cell->rect().center());
    ASSERT_TRUE(cell->isSelected());
    EXPECT_EQ(cell->titleHighlightView()->highlightColor(), QColor(0, 160, 60));
    QColor preview(0, 160, 60);
    preview.setAlphaF(0.4f);
    EXPECT_EQ(cell->imageHighlightView()->highlightColor(), preview);
    EXPECT_EQ(cell->titleLabel()->palette().color(QPalette::WindowText), QColor(250, 240, 10));
}

// A template of its own, outside the catalogue, so tests may set its preview freely.
std::unique_ptr<Template> makeTemplate(const QString& name)
{
    return std::make_unique<Template>(TemplateLayout{.name = name, .size = {400, 200}}, Theme::all().front());
}

TEST(TemplateCellTest, ThePreviewFollowsItsTemplateAndItsAspectRatio)
{
    auto wide = makeTemplate("Wide");
    TemplateCollectionViewItem cell;
    cell.setRepresentedObject(wide.get());
    EXPECT_FALSE(cell.image().has_value());
    wide->setPreviewImage(graphics::Image(solid(200, 100, Qt::red)));
    ASSERT_TRUE(cell.image().has_value());
    ASSERT_TRUE(cell.aspectConstraint().has_value());
    EXPECT_DOUBLE_EQ(*cell.aspectConstraint(), 2.0);
    EXPECT_NEAR(cell.imageView()->width(), 2 * cell.imageView()->height(), 1);
    // A square one replaces the constraint.
    wide->setPreviewImage(graphics::Image(solid(100, 100, Qt::blue)));
    EXPECT_DOUBLE_EQ(*cell.aspectConstraint(), 1.0);
    EXPECT_EQ(cell.imageView()->width(), cell.imageView()->height());
    // None clears it.
    wide->setPreviewImage(std::nullopt);
    EXPECT_FALSE(cell.image().has_value());
    EXPECT_FALSE(cell.aspectConstraint().has_value());
}

TEST(TemplateCellTest, APreviewFromAnotherThreadArrivesOnTheMainThreadOnlyForTheTemplateStillShown)
{
    auto first = makeTemplate("First");
    auto second = makeTemplate("Second");
    TemplateCollectionViewItem cell;
    cell.setRepresentedObject(first.get());
    std::unique_ptr<QThread> renderer(
        QThread::create([&] { first->setPreviewImage(graphics::Image(solid(100, 50, Qt::green))); }));
    renderer->start();
    renderer->wait();
    EXPECT_FALSE(cell.image().has_value()); // not before the main thread takes it
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell.image().has_value(); }));
    EXPECT_EQ(cell.image()->width(), 100);

    // The cell shows another template before the first one's new preview is taken on the main thread.
    std::unique_ptr<QThread> late(
        QThread::create([&] { first->setPreviewImage(graphics::Image(solid(30, 90, Qt::yellow))); }));
    late->start();
    late->wait();
    cell.setRepresentedObject(second.get());
    QTest::qWait(20);
    EXPECT_FALSE(cell.image().has_value() && cell.image()->width() == 30);

    // A cell that goes before its preview arrives is left alone.
    auto gone = std::make_unique<TemplateCollectionViewItem>();
    gone->setRepresentedObject(second.get());
    std::unique_ptr<QThread> orphan(
        QThread::create([&] { second->setPreviewImage(graphics::Image(solid(10, 10, Qt::black))); }));
    orphan->start();
    orphan->wait();
    gone.reset();
    QTest::qWait(20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell.image().has_value() && cell.image()->width() == 10; }));
}

TEST(TemplateCellTest, TheBackdropShowsBeforeThePreviewArrives)
{
    auto waiting = makeTemplate("Waiting");
    TemplateCollectionViewItem cell;
    cell.setRepresentedObject(waiting.get());
    cell.show();
    const QPoint middle = cell.imageView()->geometry().center();
    EXPECT_EQ(cell.grab().toImage().pixelColor(middle), QColor(Qt::white));
    waiting->setPreviewImage(graphics::Image(solid(100, 100, Qt::red)));
    EXPECT_EQ(cell.grab().toImage().pixelColor(cell.imageView()->geometry().center()), QColor(Qt::red));
}

int paintedPixels(QWidget& view, QColor color)
{
    const QImage picture = view.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            count += QColor(picture.pixel(x, y)) == color ? 1 : 0;
    }
    return count;
}

TEST(SmallViewsTest, AHighlightViewFillsItsRoundedBoundsOnlyWhileHighlighted)
{
    QWidget backing;
    backing.resize(60, 40);
    QPalette white;
    white.setColor(QPalette::Window, Qt::white);
    backing.setPalette(white);
    backing.setAutoFillBackground(true);
    HighlightView view(&backing);
    view.resize(60, 40);
    view.setHighlightColor(Qt::red);
    backing.show();
    EXPECT_EQ(paintedPixels(backing, Qt::red), 0);
    view.setCornerRadius(0);
    view.setHighlighted(true);
    EXPECT_EQ(paintedPixels(backing, Qt::red), 60 * 40);
    view.setCornerRadius(10);
    const int rounded = paintedPixels(backing, Qt::red);
    EXPECT_LT(rounded, 60 * 40);
    EXPECT_GT(rounded, 60 * 40 * 3 / 4);
    EXPECT_NE(QColor(backing.grab().toImage().pixel(0, 0)), QColor(Qt::red));
}

TEST(SmallViewsTest, TheTemplateBackdropIsInsetSixPointsInWholePoints)
{
    TemplateView view;
    view.resize(101, 80);
    EXPECT_EQ(view.borderRect(), QRect(6, 6, 89, 68));
}

TEST(SmallViewsTest, TheTemplateBackdropCastsABlurredShadowOnePointDown)
{
    TemplateView view;
    view.resize(60, 60); // the card spans 6 to 53 both ways
    QImage picture(60, 60, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    view.render(&picture, {}, {}, QWidget::RenderFlags());
    const auto alpha = [&](int x, int y) {
        return qAlpha(picture.pixel(x, y));
    };
    EXPECT_EQ(picture.pixelColor(30, 30), QColor(Qt::white));
    // Below the card the shadow fades out pixel by pixel, never darker than 0.4.
    EXPECT_LE(alpha(30, 54), int(std::lround(0.4 * 255)));
    EXPECT_GT(alpha(30, 54), alpha(30, 55));
    EXPECT_GT(alpha(30, 55), 0);
    EXPECT_EQ(alpha(30, 58), 0);
    // One point down: more of it below the card than above, as much to the left as to the right.
    EXPECT_GT(alpha(30, 54), 2 * alpha(30, 5));
    EXPECT_EQ(alpha(5, 30), alpha(54, 30));
    EXPECT_EQ(alpha(0, 0), 0);
}

} // namespace
