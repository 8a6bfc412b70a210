#include "TestObjects.h"
#include "appkit/widgets/Popover.h"
#include "appkit/widgets/SegmentedControl.h"
#include "graphics/ImageDecoderRegistry.h"
#include "ledgerline/core/StringProperty.h"
#include "ledgerline/widgets/ColorPropertyTableCellView.h"
#include "ledgerline/widgets/EnumerationPropertyTableCellView.h"
#include "ledgerline/widgets/FontPropertyTableCellView.h"
#include "ledgerline/widgets/ImagePropertyTableCellView.h"
#include "ledgerline/widgets/NumericPropertyTableCellView.h"
#include "ledgerline/widgets/PropertyRowView.h"
#include "ledgerline/widgets/PropertyTableViewController.h"
#include "ledgerline/widgets/StringPropertyTableCellView.h"
#include "tessaline/Tessaline/ColorPickerButton.h"
#include "tessaline/Tessaline/HeightForWidthTextField.h"
#include "tessaline/Tessaline/ReplaceableImageView.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QUrl>
#include <atomic>
#include <gtest/gtest.h>

using namespace ledgerline;

namespace {

// Lets the files given so far be read and their results reach the views.
void finishReading()
{
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

template <typename Cell> Cell* cellAt(const PropertyTableViewController& table, std::size_t row)
{
    Cell* cell = qobject_cast<Cell*>(table.rowViews().at(row)->cellView());
    EXPECT_NE(cell, nullptr);
    return cell;
}

struct CaptionTable
{
    CaptionTable()
    {
        table.view();
        table.setObject(&caption);
    }

    Caption caption;
    PropertyTableViewController table;
};

struct ShapeTable
{
    ShapeTable()
    {
        table.view();
        table.setObject(&shape);
    }

    Shape shape;
    PropertyTableViewController table;
};

} // namespace

TEST(LedgerlineTest, TheTextAreaShowsSeveralLinesAndHandsThemOnWhenFocusLeaves)
{
    CaptionTable fixture;
    QPlainTextEdit* text = cellAt<StringPropertyTableCellView>(fixture.table, 0)->textView();
    EXPECT_FALSE(text->isHidden());
    EXPECT_TRUE(cellAt<StringPropertyTableCellView>(fixture.table, 0)->textField()->isHidden());
    EXPECT_EQ(text->toPlainText(), "First line\nSecond line");

    QTest::keyClicks(text, "!");
    EXPECT_EQ(fixture.caption.writes["text"], 0);
    QFocusEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(text, &focusOut);
    EXPECT_EQ(fixture.caption.writes["text"], 1);
    EXPECT_EQ(fixture.caption.value("text").toString().count('!'), 1);
    QApplication::sendEvent(text, &focusOut); // nothing new to hand on
    EXPECT_EQ(fixture.caption.writes["text"], 1);

    fixture.caption.setValueForKey(QStringLiteral("Undone"), "text");
    EXPECT_EQ(text->toPlainText(), "Undone");
}

// The text area takes no more than the property's maximum length, and says so; a longer value from the
// object is shown whole and can be shortened.
TEST(LedgerlineTest, TheTextAreaRefusesTextBeyondTheMaximumAndSaysSo)
{
    CaptionTable fixture;
    appkit::LengthLimitedTextEdit* text = cellAt<StringPropertyTableCellView>(fixture.table, 0)->textView();
    EXPECT_EQ(text->maximumLength(), 100);
    text->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString(90, u'x'));
    QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text->toPlainText(), "First line\nSecond line");
    QStringList messages;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* popover = qobject_cast<appkit::Popover*>(widget); popover && popover->isVisible()) {
            for (auto* field : popover->findChildren<tessaline::HeightForWidthTextField*>())
                messages.append(field->stringValue());
            popover->close();
        }
    }
    EXPECT_EQ(messages, QStringList{"The text takes at most 100 characters; this would make it 112."});
    QFocusEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(text, &focusOut);
    EXPECT_EQ(fixture.caption.writes["text"], 0);
}

TEST(LedgerlineTest, TheFontEditorKeepsPostScriptNamesBothWays)
{
    CaptionTable fixture;
    auto* cell = cellAt<FontPropertyTableCellView>(fixture.table, 1);
    EXPECT_EQ(cell->facePopUp()->currentData().toString(), "AvenirNext-Regular");
    EXPECT_EQ(cell->sizeField()->value(), 50);

    const int bold = cell->facePopUp()->findData("AvenirNext-Bold");
    ASSERT_GE(bold, 0);
    cell->facePopUp()->setCurrentIndex(bold);
    emit cell->facePopUp()->activated(bold);
    EXPECT_EQ(fixture.caption.value("font").value<graphics::Font>(), graphics::Font("AvenirNext-Bold", 50));
    cell->sizeField()->setValue(64);
    EXPECT_EQ(fixture.caption.value("font").value<graphics::Font>(), graphics::Font("AvenirNext-Bold", 64));

    fixture.caption.setValueForKey(QVariant::fromValue(graphics::Font("Menlo-Regular", 12)), "font");
    EXPECT_EQ(cell->facePopUp()->currentData().toString(), "Menlo-Regular");
    EXPECT_EQ(cell->sizeField()->value(), 12);
}

TEST(LedgerlineTest, AFontTheTableDoesNotKnowIsShownWithoutBeingChanged)
{
    CaptionTable fixture;
    auto* cell = cellAt<FontPropertyTableCellView>(fixture.table, 1);
    const int faces = cell->facePopUp()->count();
    fixture.caption.setValueForKey(QVariant::fromValue(graphics::Font("Papyrus-Condensed", 30)), "font");
    EXPECT_EQ(cell->facePopUp()->count(), faces + 1);
    EXPECT_EQ(cell->facePopUp()->currentIndex(), 0);
    EXPECT_EQ(cell->facePopUp()->currentText(), "Papyrus-Condensed");
    EXPECT_EQ(fixture.caption.writes["font"], 1);

    fixture.caption.setValueForKey(QVariant::fromValue(graphics::Font("Menlo-Bold", 30)), "font");
    EXPECT_EQ(cell->facePopUp()->count(), faces);
    EXPECT_EQ(cell->facePopUp()->currentData().toString(), "Menlo-Bold");
}

TEST(LedgerlineTest, SegmentedOptionsFollowAndSetTheRawValue)
{
    CaptionTable fixture;
    auto* cell = cellAt<EnumerationPropertyTableCellView>(fixture.table, 2);
    appkit::SegmentedControl* segments = cell->segmentedControl();
    EXPECT_FALSE(segments->isHidden());
    EXPECT_TRUE(cell->popUp()->isHidden());
    ASSERT_EQ(segments->segmentCount(), 3);
    EXPECT_EQ(segments->label(2), "Right");
    EXPECT_EQ(segments->selectedSegment(), 1); // Center holds 2

    segments->resize(segments->sizeHint());
    QTest::mouseClick(segments, Qt::LeftButton, {}, segments->segmentRect(2).center().toPoint());
    EXPECT_EQ(fixture.caption.value("alignment"), 1u);

    fixture.caption.setValueForKey(0, "alignment");
    EXPECT_EQ(segments->selectedSegment(), 0);
    fixture.caption.setValueForKey(9, "alignment");
    EXPECT_EQ(segments->selectedSegment(), -1);
}

TEST(LedgerlineTest, TheNumberFieldKeepsEditsInRangeButNeverClampsTheObject)
{
    CaptionTable fixture;
    QDoubleSpinBox* number = cellAt<NumericPropertyTableCellView>(fixture.table, 3)->numberField();
    EXPECT_EQ(number->minimum(), 0);
    EXPECT_EQ(number->maximum(), 100);
    EXPECT_EQ(number->value(), 20);

    number->stepUp();
    EXPECT_EQ(fixture.caption.value("size"), 21.0);
    number->selectAll();
    QTest::keyClicks(number, "250");
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_LE(fixture.caption.value("size").toDouble(), 100.0);

    const int writes = fixture.caption.writes["size"];
    fixture.caption.setValueForKey(150.0, "size");
    EXPECT_EQ(number->value(), 100);
    EXPECT_EQ(fixture.caption.value("size"), 150.0);
    EXPECT_EQ(fixture.caption.writes["size"], writes + 1);
}

// Holding the number field's arrow, by mouse or key, steps the value again and again; the steps are one
// gesture of the table, which ends at the latest when the table shows another object.
TEST(LedgerlineTest, HoldingANumberArrowIsOneGesture)
{
    CaptionTable fixture;
    QDoubleSpinBox* number = cellAt<NumericPropertyTableCellView>(fixture.table, 3)->numberField();
    fixture.table.view()->show();
    QSignalSpy started(&fixture.table, &PropertyTableViewController::gestureStarted);
    QSignalSpy finished(&fixture.table, &PropertyTableViewController::gestureFinished);
    const QPoint upArrow(number->width() - 4, number->height() / 4);

    QTest::mousePress(number, Qt::LeftButton, {}, upArrow);
    EXPECT_EQ(started.size(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fixture.caption.value("size").toDouble() >= 23; }))
        << "the held arrow repeats";
    EXPECT_EQ(finished.size(), 0);
    QTest::mouseRelease(number, Qt::LeftButton, {}, upArrow);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(started.size(), 1);

    number->setFocus();
    QTest::keyPress(number, Qt::Key_Up);
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(number, &repeated);
    EXPECT_EQ(started.size(), 2);
    QTest::keyRelease(number, Qt::Key_Up);
    EXPECT_EQ(finished.size(), 2);

    // Another object while the arrow is held: the gesture ends with the row's property.
    QTest::mousePress(number, Qt::LeftButton, {}, upArrow);
    EXPECT_EQ(started.size(), 3);
    Caption other;
    fixture.table.setObject(&other);
    EXPECT_EQ(finished.size(), 3);
    QTest::mouseRelease(number, Qt::LeftButton, {}, upArrow);
    EXPECT_EQ(finished.size(), 3);
}

TEST(LedgerlineTest, AnUnlimitedNumberFieldOffersAWideRange)
{
    ShapeTable fixture;
    QDoubleSpinBox* depth = cellAt<NumericPropertyTableCellView>(fixture.table, 3)->numberField();
    EXPECT_EQ(depth->minimum(), -NumericPropertyTableCellView::unlimited);
    EXPECT_EQ(depth->maximum(), NumericPropertyTableCellView::unlimited);
    EXPECT_EQ(depth->value(), 4);
}

TEST(LedgerlineTest, TheColorWellAndTheObjectFollowEachOther)
{
    ShapeTable fixture;
    tessaline::ColorPickerButton* well = cellAt<ColorPropertyTableCellView>(fixture.table, 4)->colorWell();
    EXPECT_EQ(well->color(), (graphics::Color{0, 0, 0, 0.5}));
    const graphics::Color blue{0, 0, 1, 1};
    well->setColor(blue);
    EXPECT_EQ(fixture.shape.value("shadowColor").value<graphics::Color>(), blue);
    const graphics::Color red{1, 0, 0, 1};
    fixture.shape.setValueForKey(QVariant::fromValue(red), "shadowColor");
    EXPECT_EQ(well->color(), red);
}

TEST(LedgerlineTest, APictureFileDroppedOnTheWellReachesTheObjectWithItsBytes)
{
    ShapeTable fixture;
    tessaline::ReplaceableImageView* well = cellAt<ImagePropertyTableCellView>(fixture.table, 1)->imageWell();
    EXPECT_TRUE(well->image().isEmpty());
    // What it takes is said on hover and to assistive technology.
    EXPECT_EQ(well->toolTip(), "Drop a picture here, or double-click to choose one");
    EXPECT_EQ(well->accessibleDescription(), well->toolTip());

    QTemporaryDir directory;
    const QString path = directory.filePath("picture.png");
    const QByteArray png = pngData(6, 4);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(png);
    }
    QMimeData drop;
    drop.setUrls({QUrl::fromLocalFile(path)});
    ASSERT_TRUE(well->performDragOperation(&drop));
    finishReading();
    EXPECT_EQ(fixture.shape.storedImageData, QList<QByteArray>{png});
    EXPECT_EQ(fixture.shape.value("image").value<graphics::Image>().size(), (graphics::Size{6, 4}));
    EXPECT_EQ(well->image().size(), (graphics::Size{6, 4}));

    QMimeData notAPicture;
    notAPicture.setUrls({QUrl::fromLocalFile(directory.filePath("notes.txt"))});
    EXPECT_FALSE(well->performDragOperation(&notAPicture));
    finishReading();
    EXPECT_EQ(fixture.shape.storedImageData.size(), 1);

    fixture.shape.setValueForKey({}, "image");
    EXPECT_TRUE(well->image().isEmpty());
}

TEST(LedgerlineTest, APictureFromTheWellIsDecodedOnceAndKeptOnce)
{
    // A made-up format whose decoder counts its calls: "LLCT" and nothing else decodes to 3 by 2 pixels.
    static std::atomic<int> decodes = 0;
    graphics::ImageDecoderRegistry::registerDecoder(
        {QStringLiteral("ledgerline-counted"),
         {QStringLiteral("llct")},
         [](const QByteArray& data) { return data.startsWith("LLCT"); },
         [](const QByteArray&) -> std::optional<graphics::BitmapImageRep> {
             ++decodes;
             QImage pixels(3, 2, graphics::BitmapImageRep::pixelFormat);
             pixels.fill(Qt::darkGreen);
             return graphics::BitmapImageRep(std::move(pixels));
         }});
    ShapeTable fixture;
    tessaline::ReplaceableImageView* well = cellAt<ImagePropertyTableCellView>(fixture.table, 1)->imageWell();
    QTemporaryDir directory;
    const QString path = directory.filePath("picture.llct");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("LLCT");
    }
    QMimeData drop;
    drop.setUrls({QUrl::fromLocalFile(path)});
    ASSERT_TRUE(well->performDragOperation(&drop));
    finishReading();

    EXPECT_EQ(decodes, 1);
    EXPECT_EQ(fixture.shape.storedImageData, QList<QByteArray>{"LLCT"});
    // The object, the row and the well hold one set of pixels between them.
    const graphics::Image kept = fixture.shape.value("image").value<graphics::Image>();
    ASSERT_EQ(kept.size(), (graphics::Size{3, 2}));
    EXPECT_EQ(kept.representations().front().bitmap().constBits(),
              well->image().representations().front().bitmap().constBits());
}

TEST(LedgerlineTest, ACellGivenAnotherPropertyFollowsOnlyTheNewOne)
{
    Record first;
    Record second;
    first.preset("title", QStringLiteral("First"));
    second.preset("title", QStringLiteral("Second"));
    StringProperty a;
    StringProperty b;
    a.bind(&first, "title");
    b.bind(&second, "title");

    StringPropertyTableCellView cell;
    cell.setObjectValue(&a);
    EXPECT_EQ(cell.textField()->text(), "First");
    cell.setObjectValue(&b);
    EXPECT_EQ(cell.textField()->text(), "Second");
    first.setValueForKey(QStringLiteral("Elsewhere"), "title");
    EXPECT_EQ(cell.textField()->text(), "Second");
    cell.setObjectValue(nullptr);
    EXPECT_TRUE(cell.textField()->text().isEmpty());
    second.setValueForKey(QStringLiteral("Gone"), "title");
    EXPECT_TRUE(cell.textField()->text().isEmpty());
}
