// The spin editor: the stepping rule per value type, Up/Down and the buttons, the repeat timer
// of a held button, commit and cancel, and how the open editor looks.
#include <gtest/gtest.h>

#include <QImage>
#include <QTimer>

#include "core/edit/inplace_spin_editor_p.h"
#include "editor_fixture.h"

using namespace qor;
using qor::test::NavGrid;

namespace {

TInplaceSpinEditor *spinOf(TQorGrid &g) { return test::editorOf<TInplaceSpinEditor>(g); }

// A spin cell at (1, 1) holding text, opened with F2.
TInplaceSpinEditor *openSpin(NavGrid &t, const QString &text, double increment, TValueType type, int digits)
{
    TCellInfo *cell = t.g.Cells(1, 1);
    cell->SetCellType(ctSpinEdit);
    cell->SetValueType(type);
    cell->SetDigits(digits);
    cell->SetIncrement(increment);
    cell->SetText(text);
    return test::openEditor<TInplaceSpinEditor>(t, 1, 1);
}

} // namespace

TEST(SpinStep, KeepsTheValueTypeAndDigits)
{
    EXPECT_EQ(SpinStepText("1", 1, vtInteger, 2), "2");
    EXPECT_EQ(SpinStepText("0.1", 0.2, vtFloat, 2), "0.3");
    // Whole numbers stay whole, rounded half away from zero.
    EXPECT_EQ(SpinStepText("1.25", 0.5, vtInteger, 2), "2");
    EXPECT_EQ(SpinStepText("-1.25", -0.5, vtInteger, 2), "-2");
    // No more decimals than the cell shows.
    EXPECT_EQ(SpinStepText("1.005", 0.001, vtFloat, 2), "1.01");
    EXPECT_EQ(SpinStepText("1.5", 1, vtCurrency, 0), "3");
    EXPECT_EQ(SpinStepText("2.5", 0.25, vtCurrency, 2), "2.75");
    // The one-signed types stop at zero.
    EXPECT_EQ(SpinStepText("0", -1, vtWord, 0), "0");
    EXPECT_EQ(SpinStepText("0.5", -1, vtPosFloat, 2), "0");
    EXPECT_EQ(SpinStepText("-3", 1, vtNegInt, 0), "-2");
    EXPECT_EQ(SpinStepText("-0.5", 1, vtNegFloat, 2), "0");
    // Text that is no number counts as 0; text cells step as the numbers read.
    EXPECT_EQ(SpinStepText("abc", 1, vtInteger, 0), "1");
    EXPECT_EQ(SpinStepText("", 2.5, vtString, 2), "2.5");
    EXPECT_EQ(SpinStepText(" 7 ", 1, vtString, 2), "8");
}

TEST(SpinEditor, UpAndDownStepTheTextWhichCommitsOrCancels)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    TInplaceSpinEditor *spin = openSpin(t, "1", 0.5, vtFloat, 1);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->text(), "1");
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "2.0"); // the step's decimal stays
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->text(), "1.5");
    // Up and Down step; they do not leave the cell, nor write it.
    EXPECT_EQ(t.current(), QPoint(1, 1));
    EXPECT_EQ(g.Cells(1, 1)->GetText(), "1");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(1, 1), "1.5");

    g.SetFocusCell(1, 1);
    t.key(Qt::Key_F2);
    ASSERT_EQ(spinOf(g), spin);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "2.0");
    QTest::keyClick(spin, Qt::Key_Escape);
    EXPECT_EQ(g.GetCellText(1, 1), "1.5");

    // Typed characters still pass the value-type filter (one decimal at most here).
    g.SetFocusCell(1, 1);
    t.key(Qt::Key_F2);
    QTest::keyClicks(spin, "x2");
    EXPECT_EQ(spin->text(), "1.5");
    QTest::keyClick(spin, Qt::Key_Home);
    QTest::keyClicks(spin, "x2");
    EXPECT_EQ(spin->text(), "21.5");
    QTest::keyClick(spin, Qt::Key_Escape);
}

TEST(SpinEditor, ButtonsAreDrawnAtTheRightAndRepeatUntilReleased)
{
    NavGrid t(4, 3);
    t.g.SetColWidth(1, 120);
    TInplaceSpinEditor *spin = openSpin(t, "10", 1, vtInteger, 0);
    ASSERT_NE(spin, nullptr);
    // The buttons' faces and arrows differ from the edit's background; the text area does not
    // reach under them.
    const QImage shot = spin->grab().toImage();
    const QColor base = spin->palette().color(QPalette::Base);
    EXPECT_NE(shot.pixelColor(spin->UpButtonRect().center() + QPoint(-4, 0)), base);
    EXPECT_NE(shot.pixelColor(spin->DownButtonRect().center()), base);
    EXPECT_EQ(shot.pixelColor(QPoint(spin->UpButtonRect().left() - 30, 1)), base);
    EXPECT_EQ(spin->RepeatTimer()->interval(), 100);
    const QPoint up = spin->UpButtonRect().center();
    const QPoint down = spin->DownButtonRect().center();
    ASSERT_TRUE(spin->UpButtonRect().isValid() && spin->DownButtonRect().isValid());
    EXPECT_FALSE(spin->UpButtonRect().intersects(spin->DownButtonRect()));

    QTest::mousePress(spin, Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_EQ(spin->text(), "11");
    EXPECT_TRUE(spin->RepeatTimer()->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return spin->text().toInt() >= 13; }, 10000));
    QTest::mouseRelease(spin, Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_FALSE(spin->RepeatTimer()->isActive());
    const QString stopped = spin->text();
    QTest::qWait(250);
    EXPECT_EQ(spin->text(), stopped);

    // A click on the lower half steps down once.
    QTest::mouseClick(spin, Qt::LeftButton, Qt::NoModifier, down);
    EXPECT_EQ(spin->text().toInt(), stopped.toInt() - 1);
    EXPECT_FALSE(spin->RepeatTimer()->isActive());

    // Closing the editor with a button held stops the timer.
    QTest::mousePress(spin, Qt::LeftButton, Qt::NoModifier, down);
    EXPECT_TRUE(spin->RepeatTimer()->isActive());
    t.g.HideEditor();
    EXPECT_FALSE(spin->RepeatTimer()->isActive());
    EXPECT_EQ(t.g.GetCellText(1, 1).toInt(), stopped.toInt() - 2);
}
