// Edit masks: the three fields, their translation to Qt's mask letters, the masked edit and the
// mask editor dialog driven by keystrokes.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include "format/edit_mask.h"
#include "format/mask_dialog.h"
#include "format/masked_edit.h"

using namespace qor;

TEST(EditMaskParse, ThreeFieldsWithDefaultsAndQtsLetters)
{
    const TEditMask m = TEditMask::Parse("!\\(9999\\)000-00000;1;_");
    EXPECT_EQ(m.MaskPart(), "!\\(9999\\)000-00000");
    EXPECT_TRUE(m.SaveLiterals());
    EXPECT_EQ(m.Blank(), QChar(u'_'));
    EXPECT_EQ(m.InputSlotCount(), 12);
    EXPECT_EQ(m.Slots().size(), 15u);

    const TEditMask n = TEditMask::Parse("9999;0;*");
    EXPECT_FALSE(n.SaveLiterals());
    EXPECT_EQ(n.Blank(), QChar(u'*'));
    const TEditMask bare = TEditMask::Parse("00:00");
    EXPECT_TRUE(bare.SaveLiterals());
    EXPECT_EQ(bare.Blank(), QChar(u'_'));
    EXPECT_EQ(TEditMask::Parse("0\\;0;0;").Slots().size(), 3u);
    EXPECT_EQ(TEditMask::Parse("0\\;0;0;").Blank(), QChar(u'_'));
    EXPECT_TRUE(TEditMask::Parse("").IsEmpty());
    EXPECT_EQ(TEditMask::Compose("000", false, u'#'), "000;0;#");
    // Ours: 0 required digit, 9 optional digit; Qt: 9 required, 0 optional.
    EXPECT_EQ(TEditMask::Parse("00000\\-9999;1;_").ToQtInputMask(), "99999-0000;_");
    // L letter, A letter-or-digit, C any character; Qt's letters are A, N and X.
    EXPECT_EQ(TEditMask::Parse("LlAaCc;1; ").ToQtInputMask(), "AaNnXx; ");
    // Case switches, a "!" of ours dropped, ":" and "/" literal, Qt's specials escaped.
    EXPECT_EQ(TEditMask::Parse("!90:00:00>LL;1;_").ToQtInputMask(), "09:99:99>AA;_");
    EXPECT_EQ(TEditMask::Parse(">L<>l<L;1;_").ToQtInputMask(), ">A!a<A;_");
    EXPECT_EQ(TEditMask::Parse("\\A\\9N_X;1;_").ToQtInputMask(), "\\A\\9\\N \\X;_");
}

TEST(EditMaskValues, LiteralsSavedOrNot)
{
    const TEditMask saved = TEditMask::Parse("000\\-00;1;_");
    EXPECT_EQ(saved.FormatInput("12345"), "123-45");
    EXPECT_EQ(saved.ValueFromEditText("123-45"), "123-45");
    EXPECT_EQ(saved.ValueFromEditText("12_-4_"), "12 -4");
    EXPECT_EQ(saved.EditTextFromValue("123-45"), "123-45");
    EXPECT_FALSE(saved.IsComplete("12_-45"));
    EXPECT_TRUE(saved.IsComplete("123-45"));

    const TEditMask plain = TEditMask::Parse("000\\-00;0;_");
    EXPECT_EQ(plain.ValueFromEditText("123-45"), "12345");
    EXPECT_EQ(plain.EditTextFromValue("12345"), "123-45");
    EXPECT_EQ(TEditMask::Parse("!90:00:00>LL;1;_").FormatInput("090515pm"), "09:05:15PM");
    EXPECT_EQ(TEditMask::Parse("000;1;_").FormatInput("1a"), "1__");
}

TEST(MaskedEdit, TypedKeysFollowTheMask)
{
    TQorMaskEdit edit;
    edit.SetEditMask("00000\\-9999;1;_");
    edit.show();
    edit.setFocus();
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "12a345");
    EXPECT_EQ(edit.EditText(), "12345-____");
    EXPECT_TRUE(edit.IsComplete());
    EXPECT_EQ(edit.Text(), "12345-");
    QTest::keyClicks(&edit, "67");
    EXPECT_EQ(edit.Text(), "12345-67");

    // Literals left out of the value; letters turned upper case.
    edit.SetEditMask("!90:00:00>LL;0;_");
    edit.clear();
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "093015pm");
    EXPECT_EQ(edit.EditText(), "09:30:15PM");
    EXPECT_EQ(edit.Text(), "093015PM");

    // A required digit stays required: Qt's own "0" would have let the text pass.
    edit.SetEditMask("000;1;_");
    edit.clear();
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "12");
    EXPECT_FALSE(edit.IsComplete());
    EXPECT_FALSE(edit.hasAcceptableInput());
}

TEST(MaskedEdit, ValuesGoInAndComeOutUnchanged)
{
    TQorMaskEdit edit;
    edit.SetEditMask("000\\-00;0;*");
    edit.SetText("12345");
    EXPECT_EQ(edit.EditText(), "123-45");
    EXPECT_EQ(edit.Text(), "12345");
    edit.SetText("12");
    EXPECT_EQ(edit.EditText(), "12*-**");
    EXPECT_EQ(edit.Text(), "12");
    edit.SetEditMask("");
    EXPECT_EQ(edit.Text(), "12");
    QTest::keyClicks(&edit, "x!");
    EXPECT_EQ(edit.Text(), "12x!");
}

TEST(MaskDialog, SamplesFillTheFieldsAndTheTestInputFollows)
{
    TfrmMasks dlg;
    EXPECT_EQ(dlg.windowTitle(), "Input Mask Editor");
    ASSERT_EQ(dlg.SampleList()->count(), 9);
    EXPECT_EQ(dlg.SampleList()->item(8)->text(), "Number");
    EXPECT_EQ(TMaskSample::FromLine(TfrmMasks::DefaultSamples()[6]).mask, "!9999/99/00;1;_");

    dlg.show();
    dlg.SampleList()->setFocus();
    dlg.SampleList()->setCurrentRow(0);
    QTest::keyClick(dlg.SampleList(), Qt::Key_End);
    EXPECT_EQ(dlg.EditMask(), "9999;0;_");
    EXPECT_FALSE(dlg.SaveLiteralsBox()->isChecked());
    EXPECT_EQ(dlg.BlankField()->text(), "_");
    QTest::keyClick(dlg.SampleList(), Qt::Key_Up);
    EXPECT_EQ(dlg.EditMask(), "!90:00:00>LL;1;_");
    EXPECT_TRUE(dlg.SaveLiteralsBox()->isChecked());

    dlg.TestField()->setFocus();
    dlg.TestField()->setCursorPosition(0);
    QTest::keyClicks(dlg.TestField(), "115959am");
    EXPECT_EQ(dlg.TestField()->Text(), "11:59:59AM");

    // The blank character and the check box rewrite the mask; the test input takes it.
    dlg.BlankField()->selectAll();
    QTest::keyClicks(dlg.BlankField(), "#");
    EXPECT_EQ(dlg.EditMask(), "!90:00:00>LL;1;#");
    QTest::keyClick(dlg.SaveLiteralsBox(), Qt::Key_Space);
    EXPECT_EQ(dlg.EditMask(), "!90:00:00>LL;0;#");
    EXPECT_EQ(dlg.TestField()->EditMask(), "!90:00:00>LL;0;#");
    EXPECT_EQ(dlg.TestField()->Text(), "115959AM");
    dlg.BlankField()->clear();
    EXPECT_EQ(dlg.EditMask(), "!90:00:00>LL;0;_");

    // A mask typed by hand goes to the test input as it is typed.
    dlg.MaskField()->clear();
    QTest::keyClicks(dlg.MaskField(), "LL;1;_");
    EXPECT_EQ(dlg.TestField()->EditMask(), "LL;1;_");
    dlg.TestField()->setCursorPosition(0);
    QTest::keyClicks(dlg.TestField(), "a1b");
    EXPECT_EQ(dlg.TestField()->Text(), "ab");
}
