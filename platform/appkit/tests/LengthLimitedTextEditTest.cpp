#include "appkit/widgets/LengthLimitedTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using appkit::LengthLimitedTextEdit;

namespace {

// A shown editor that takes ten characters, holding "abcdefgh" with the cursor at its end.
class LengthLimitedTextEditTest : public testing::Test
{
protected:
    LengthLimitedTextEditTest()
    {
        edit.setMaximumLength(10);
        edit.setText(QStringLiteral("abcdefgh"));
        edit.moveCursor(QTextCursor::End);
        edit.resize(200, 100);
        edit.show();
        edit.setFocus();
    }

    LengthLimitedTextEdit edit;
    QSignalSpy refused{&edit, &LengthLimitedTextEdit::insertionRefused};
};

} // namespace

TEST_F(LengthLimitedTextEditTest, TypingStopsAtTheLimitAndSaysSo)
{
    QTest::keyClicks(&edit, QStringLiteral("ij"));
    EXPECT_EQ(edit.toPlainText(), "abcdefghij");
    EXPECT_EQ(refused.count(), 0);

    QTest::keyClick(&edit, Qt::Key_K);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.toPlainText(), "abcdefghij");
    ASSERT_EQ(refused.count(), 2);
    EXPECT_EQ(refused.at(0).at(0).value<qsizetype>(), 11);

    // Typing over a selection replaces it, so the text stays within the limit.
    QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Z);
    EXPECT_EQ(edit.toPlainText(), "abcdefghiz");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.toPlainText(), "abcdefghi");
}

TEST_F(LengthLimitedTextEditTest, APasteThatWouldPassTheLimitIsRefusedWhole)
{
    QApplication::clipboard()->setText(QStringLiteral("123"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.toPlainText(), "abcdefgh");
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.at(0).at(0).value<qsizetype>(), 11);

    QApplication::clipboard()->setText(QStringLiteral("12"));
    edit.paste();
    EXPECT_EQ(edit.toPlainText(), "abcdefgh12");
    EXPECT_EQ(refused.count(), 1);

    // A drop goes the same way.
    QMimeData dropped;
    dropped.setText(QStringLiteral("more"));
    const QPoint at = edit.viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(edit.viewport(), &drop);
    EXPECT_EQ(edit.toPlainText(), "abcdefgh12");
    EXPECT_EQ(refused.count(), 2);
}

// A text longer than the limit, as a document may already hold: it shows without freezing (wrapping it
// between words took Qt time growing with the square of its length; the test's timeout bounds it), it
// can be shortened but not lengthened, and once within the limit it wraps between words again.
TEST_F(LengthLimitedTextEditTest, ALongerTextSetByTheProgramShowsAndShortens)
{
    edit.setMaximumLength(5000);
    edit.setText(QString(1'000'000, u'x'));
    QApplication::processEvents();
    EXPECT_EQ(edit.length(), 1'000'000);
    EXPECT_EQ(edit.wordWrapMode(), QTextOption::WrapAnywhere);

    edit.moveCursor(QTextCursor::End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.length(), 999'999);
    QTest::keyClick(&edit, Qt::Key_Y);
    EXPECT_EQ(edit.length(), 999'999);
    EXPECT_EQ(refused.count(), 1);

    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("short again"));
    EXPECT_EQ(edit.toPlainText(), "short again");
    EXPECT_EQ(edit.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}
