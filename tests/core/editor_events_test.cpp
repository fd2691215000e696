// Around every editor kind: the events and their order, the button of button cells, committing
// when focus leaves for another control, cancelling, and cells bound to a data set.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QVBoxLayout>
#include "core/grid_p.h"
#include "core/edit/inplace_editor_list_p.h"
#include "core/edit/inplace_popups_p.h"
#include "editor_fixture.h"

using namespace qor;
using qor::test::editorOf;
using qor::test::NavGrid;

namespace {

std::string at(const char *tag, int r, int c) { return std::string(tag) + " " + std::to_string(r) + "," + std::to_string(c); }

// A data set that binds column 2 and records what the editor asks of it.
struct RecordingBinding : IDataBinding {
    std::vector<std::string> *log;
    explicit RecordingBinding(std::vector<std::string> *l) : log(l) {}
    bool IsBound(int, int col) const override { return col == 2; }
    bool FieldReadOnly(int row, int col) const override { return col == 2 && row == 3; }
    std::optional<QString> FieldText(int, int col) const override
    {
        return col == 2 ? std::optional<QString>(QStringLiteral("field")) : std::nullopt;
    }
    bool WriteField(int row, int col, const QString &value) override
    {
        log->push_back(at("write", row, col) + " " + value.toStdString());
        return true;
    }
    void CancelEdit() override { log->push_back("cancel"); }
};

} // namespace

TEST(EditorEvents, EditTextShowSetTextAfterEditInOrder)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.SetCellText(1, 1, "1,000");
    std::vector<std::string> log;
    g.OnEditText = [&](QObject *, int r, int c, QString &text) {
        log.push_back(at("edit", r, c));
        text.remove(u',');
    };
    g.OnShowEditor = [&](QObject *, int r, int c) {
        log.push_back(at("show", r, c) + (GridPrivate::get(g).editor->CurrentWidget()->isVisible() ? " visible" : ""));
    };
    g.OnSetText = [&](QObject *, int r, int c, QString &text) {
        log.push_back(at("set", r, c) + " " + text.toStdString());
        text += "0";
    };
    g.OnAfterEdit = [&](QObject *, int r, int c) {
        log.push_back(at("after", r, c) + " " + g.Cells(r, c)->GetText().toStdString());
    };
    g.SetFocusCell(1, 1);
    t.key(Qt::Key_F2);
    ASSERT_NE(editorOf(g), nullptr);
    EXPECT_EQ(editorOf(g)->text(), "1000");
    // Leaving without a change writes nothing, although the edit showed another text.
    t.key(Qt::Key_Escape);
    g.SetFocusCell(1, 1);
    t.key(Qt::Key_F2);
    QTest::keyClick(editorOf(g), Qt::Key_Return);
    EXPECT_EQ(g.GetCellText(1, 1), "1,000");
    EXPECT_EQ(log, (std::vector<std::string>{"edit 1,1", "show 1,1 visible", "edit 1,1", "show 1,1 visible"}));

    log.clear();
    g.SetFocusCell(1, 1);
    t.key(Qt::Key_F2);
    QTest::keyClick(editorOf(g), Qt::Key_5);
    QTest::keyClick(editorOf(g), Qt::Key_Return);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(1, 1), "100050");
    EXPECT_EQ(t.current(), QPoint(1, 2));   // Return commits and moves on
    EXPECT_EQ(log, (std::vector<std::string>{"edit 1,1", "show 1,1 visible", "set 1,1 10005", "after 1,1 100050"}));
}

TEST(EditorEvents, ButtonCellsRaiseOnButtonClickAndKeepTheEditorOpen)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.Cells(2, 1)->SetCellType(ctButton);
    std::vector<std::string> log;
    g.OnButtonClick = [&](QObject *sender, int r, int c) { log.push_back(at(sender == &g ? "click" : "?", r, c)); };
    g.SetFocusCell(2, 0);
    t.key(Qt::Key_F2);
    EXPECT_TRUE(editorOf(g)->ButtonRect().isEmpty());   // a plain cell has no button
    g.SetFocusCell(2, 1);
    t.key(Qt::Key_F2);
    TInplaceEditor *e = editorOf(g);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Button(), TInplaceEditor::ButtonKind::Ellipsis);
    const QRect button = e->ButtonRect();
    EXPECT_EQ(button.right(), e->width() - 1);
    QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, button.center());
    QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(2, e->height() / 2));   // the text part
    EXPECT_EQ(log, (std::vector<std::string>{"click 2,1"}));
    EXPECT_TRUE(g.EditorVisible());
    // Typed text never runs under the button.
    EXPECT_EQ(e->textMargins().right(), TInplaceEditor::ButtonWidth);
}

TEST(EditorEvents, FocusLeavingForAnotherControlCommitsButNotForThePopup)
{
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    auto *other = new QLineEdit(&host);
    layout->addWidget(&g);
    layout->addWidget(other);
    host.resize(600, 450);
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));

    TCellInfo *cell = g.Cells(0, 1);
    cell->SetCellType(ctCombo);
    cell->SetItems(TQorStrings({"one", "two"}));
    g.SetFocusCell(0, 1);
    t.key(Qt::Key_T);
    auto *e = editorOf<TInplaceEditorList>(g);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->hasFocus());
    QTest::keyClick(e, Qt::Key_F4);
    ASSERT_TRUE(e->PopupVisible());
    EXPECT_TRUE(g.EditorVisible());
    EXPECT_EQ(cell->GetText(), "");
    QTest::keyClick(e->ListBox(), Qt::Key_Escape);
    EXPECT_TRUE(g.EditorVisible());

    other->setFocus();
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(cell->GetText(), "t");

    // A button's handler may take the focus (a dialog of its own): the edit stays open.
    g.Cells(0, 2)->SetCellType(ctButton);
    g.OnButtonClick = [&](QObject *, int, int) { other->setFocus(); };
    g.SetFocusCell(0, 2);
    g.setFocus();
    t.key(Qt::Key_Z);
    TInplaceEditor *button = editorOf(g);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->ButtonRect().center());
    EXPECT_TRUE(other->hasFocus());
    EXPECT_TRUE(g.EditorVisible());
    button->setFocus();
    other->setFocus();
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(0, 2), "z");
}

TEST(EditorEvents, CancelRestoresAndBoundCellsGoThroughTheBinding)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    std::vector<std::string> log;
    GridPrivate::get(g).seams.binding = std::make_unique<RecordingBinding>(&log);
    g.SetCellText(0, 0, "keep");
    g.SetFocusCell(0, 0);
    t.key(Qt::Key_F2);
    QTest::keyClicks(editorOf(g), "xyz");
    g.CancelEditor();
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(0, 0), "keep");
    EXPECT_TRUE(log.empty());   // not a bound cell: the data set's edit is not ours to drop

    // A bound cell starts from the field and writes the field, not the cell.
    log.clear();
    g.SetFocusCell(0, 2);
    t.key(Qt::Key_F2);
    EXPECT_EQ(editorOf(g)->text(), "field");
    QTest::keyClicks(editorOf(g), "s");
    QTest::keyClick(editorOf(g), Qt::Key_Return);
    EXPECT_EQ(log, (std::vector<std::string>{"write 0,2 fields"}));
    EXPECT_EQ(g.Cells(0, 2)->GetText(), "");
    g.SetFocusCell(1, 2);
    t.key(Qt::Key_F2);
    QTest::keyClicks(editorOf(g), "x");
    QTest::keyClick(editorOf(g), Qt::Key_Escape);
    EXPECT_EQ(log, (std::vector<std::string>{"write 0,2 fields", "cancel"}));
    // A field that cannot be written opens no editor.
    g.SetFocusCell(3, 2);
    EXPECT_FALSE(g.ShowEditor());
}

TEST(EditorEvents, PressingTheDrawnButtonOpensTheEditorAndPressesItsButton)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.Cells(1, 0)->SetCellType(ctCombo);
    g.Cells(1, 0)->SetItems(TQorStrings({"a", "b"}));
    g.Cells(1, 1)->SetCellType(ctButton);
    g.Cells(2, 2)->SetValueType(vtFloat);
    g.SetCellText(2, 2, "1,234.5");
    int clicks = 0;
    g.OnButtonClick = [&](QObject *, int, int) { ++clicks; };
    const QRect combo = g.CellRect(1, 0);
    t.click(QPoint(combo.right() - 5, combo.center().y()));
    ASSERT_TRUE(g.EditorVisible());
    auto *list = editorOf<TInplaceEditorList>(g);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->PopupVisible());
    list->ClosePopup();
    // The text part of a button cell only makes it current.
    t.click(1, 1);
    EXPECT_FALSE(g.EditorVisible());
    const QRect button = g.CellRect(1, 1);
    t.click(QPoint(button.right() - 5, button.center().y()));
    EXPECT_TRUE(g.EditorVisible());
    EXPECT_EQ(clicks, 1);
    // A number is edited without its group separators; left alone, the stored text stays.
    t.click(2, 2);
    t.key(Qt::Key_F2);
    EXPECT_EQ(editorOf(g)->text(), "1234.5");
    t.key(Qt::Key_Escape);
    g.HideEditor();
    EXPECT_EQ(g.GetCellText(2, 2), "1,234.5");
}
