// The designer's documents: applying to and leaving the application grid, file names, the
// overwrite question, failed saves, the modified flag and the questions on closing.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSpinBox>
#include <QUndoStack>
#include "designer/designer_dialogs.h"
#include "designer_fixture.h"

namespace qor::test {
namespace {

TEST_F(DesignerTest, ApplyReplacesTheApplicationGridAndExitLeavesIt)
{
    MessageRecorder boxes(platform::IDNO);
    auto edit = [](TfrmQorDesigner &w) {
        w.DesignGrid()->SelectCells(0, 0, 0, 2);
        w.MergeClick();
        w.DesignGrid()->SetCellText(0, 0, QStringLiteral("标题"));
        w.AppendRows(2);
    };
    {
        DialogAnswer a(Answer<TfrmQorDesigner>([&](TfrmQorDesigner &w) {
            EXPECT_TRUE(w.InternalMode());
            EXPECT_EQ(w.DesignGrid()->GetCellText(3, 4), QStringLiteral("3,4"));
            edit(w);
            w.ExitClick();   // answered No: leave without applying
            return w.result();
        }));
        EXPECT_FALSE(app.DesignCells(true, QString()));
    }
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("是否应用所做的修改？"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(boxes.last().buttons(), platform::MB_YESNOCANCEL);
    EXPECT_EQ(app.GetRows(), 8);
    EXPECT_EQ(app.GetCellText(0, 0), QStringLiteral("0,0"));
    EXPECT_EQ(app.MergedArea(0, 0), QRect(0, 0, 1, 1));

    DialogAnswer a(Answer<TfrmQorDesigner>([&](TfrmQorDesigner &w) {
        edit(w);
        w.ApplyClick();
        return w.result();
    }));
    EXPECT_TRUE(app.DesignCells(true, QString()));
    EXPECT_EQ(boxes.count(), 1);   // applying asks nothing
    EXPECT_EQ(app.GetRows(), 10);
    EXPECT_EQ(app.GetCellText(0, 0), QStringLiteral("标题"));
    EXPECT_EQ(app.MergedArea(0, 1), QRect(0, 0, 3, 1));
    EXPECT_EQ(app.GetCellText(7, 4), QStringLiteral("7,4"));
}

TEST_F(DesignerTest, ExitAnsweredYesAppliesAndCancelStays)
{
    MessageRecorder boxes(platform::IDCANCEL);
    DialogAnswer a(Answer<TfrmQorDesigner>([&](TfrmQorDesigner &w) {
        w.AppendCols(1);
        w.ExitClick();
        EXPECT_EQ(boxes.count(), 1);
        EXPECT_EQ(w.result(), 0) << "Cancel keeps the window open";
        w.reject();   // Escape, or the window's close button: the same question
        EXPECT_EQ(boxes.count(), 2);
        boxes.setAnswer(platform::IDYES);
        w.ExitClick();
        return w.result();
    }));
    EXPECT_TRUE(app.DesignCells(true, QString()));
    EXPECT_EQ(app.GetCols(), 6);
}

TEST_F(DesignerTest, FileModeEditsTheFileAndNeverTheGrid)
{
    MessageRecorder boxes(platform::IDYES);
    const QString file = path(QStringLiteral("form.qld"));
    ASSERT_TRUE(app.SaveToFile(file));
    DialogAnswer a(Answer<TfrmQorDesigner>([&](TfrmQorDesigner &w) {
        EXPECT_FALSE(w.InternalMode());
        EXPECT_EQ(w.FileName(), file);
        EXPECT_FALSE(w.Modified());
        w.InsertRows(3);
        w.ExitClick();   // "save?" Yes: saved, then closed
        return w.result();
    }));
    EXPECT_FALSE(app.DesignCells(false, file));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("是否保存所做的修改？"));
    EXPECT_EQ(app.GetRows(), 8);
    TQorGrid saved;
    ASSERT_TRUE(saved.LoadFromFile(file));
    EXPECT_EQ(saved.GetRows(), 11);
}

TEST_F(DesignerTest, SavedNamesGetTheDocumentExtensionOnlyWithoutOne)
{
    EXPECT_EQ(TfrmQorDesigner::WithDocumentExtension(QStringLiteral("report")), QStringLiteral("report.qld"));
    EXPECT_EQ(TfrmQorDesigner::WithDocumentExtension(QStringLiteral("report.")), QStringLiteral("report.qld"));
    EXPECT_EQ(TfrmQorDesigner::WithDocumentExtension(QStringLiteral("report.txt")), QStringLiteral("report.txt"));
    EXPECT_EQ(TfrmQorDesigner::WithDocumentExtension(QStringLiteral("/a.b/report")), QStringLiteral("/a.b/report.qld"));
    EXPECT_EQ(TfrmQorDesigner::WithWorkbookExtension(QStringLiteral("book.XLSX")), QStringLiteral("book.XLSX"));
    EXPECT_EQ(TfrmQorDesigner::WithWorkbookExtension(QStringLiteral("book.txt")), QStringLiteral("book.txt.xlsx"));

    auto w = open(false);
    ASSERT_TRUE(w->SaveAs(path(QStringLiteral("report"))));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("report.qld"))));
    EXPECT_EQ(w->FileName(), path(QStringLiteral("report.qld")));
    ASSERT_TRUE(w->SaveAs(path(QStringLiteral("report.txt"))));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("report.txt"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("report.txt.qld"))));
    EXPECT_TRUE(w->RecentFiles().contains(QFileInfo(path(QStringLiteral("report.txt"))).absoluteFilePath()));
}

TEST_F(DesignerTest, ReplacingAFileIsAskedAndNoKeepsIt)
{
    const QString file = path(QStringLiteral("old.qld"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("the old document");
    }
    auto w = open(false);
    w->AppendRows(1);
    MessageRecorder boxes(platform::IDNO);
    EXPECT_FALSE(w->SaveAs(file));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("文件 “%1”已经存在，是否要覆盖它？").arg(file));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(boxes.last().buttons(), platform::MB_YESNO);
    EXPECT_EQ(boxes.last().icon(), platform::MB_ICONWARNING);
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("the old document"));
    }
    EXPECT_TRUE(w->Modified());
    EXPECT_TRUE(w->FileName().isEmpty());

    boxes.setAnswer(platform::IDYES);
    EXPECT_TRUE(w->SaveAs(file));
    EXPECT_FALSE(w->Modified());
    TQorGrid saved;
    ASSERT_TRUE(saved.LoadFromFile(file));
    EXPECT_EQ(saved.GetRows(), 9);
}

TEST_F(DesignerTest, AFailedSaveSaysWhyAndKeepsTheDocumentModified)
{
    // A folder where the file should be: nothing can be written there.
    const QString blocked = path(QStringLiteral("blocked.qld"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inner")));
    auto w = open(false);
    w->AppendRows(1);
    MessageRecorder boxes(platform::IDYES);
    EXPECT_FALSE(w->SaveAs(blocked));
    ASSERT_EQ(boxes.count(), 2);   // the overwrite question, then why it failed
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("无法保存文件 “%1”：").arg(blocked)));
    EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral("原来的文件保持不变。")));
    EXPECT_TRUE(QFileInfo(blocked + QStringLiteral("/inner")).isDir());
    EXPECT_TRUE(w->Modified());
    EXPECT_TRUE(w->FileName().isEmpty()) << "the name of a failed save is not taken";
}

TEST_F(DesignerTest, TheModifiedFlagFollowsCommandsUndoAndSaves)
{
    auto w = open(false);
    EXPECT_FALSE(w->Modified());
    w->DesignGrid()->SelectCells(1, 1, 2, 2);
    w->AllBordersClick();
    EXPECT_TRUE(w->Modified());
    EXPECT_TRUE(w->isWindowModified());
    w->UndoStack()->undo();
    EXPECT_FALSE(w->Modified()) << "undone back to the saved state";
    w->UndoStack()->redo();
    EXPECT_TRUE(w->Modified());
    ASSERT_TRUE(w->SaveAs(path(QStringLiteral("m.qld"))));
    EXPECT_FALSE(w->Modified());

    // A command that changes nothing leaves the document as it was.
    w->DesignGrid()->SelectCells(1, 1, 2, 2);
    w->AllBordersClick();
    EXPECT_FALSE(w->Modified());

    // In internal mode a save does not make the application grid equal to the design.
    auto internal = open(true);
    internal->InsertCols(1);
    ASSERT_TRUE(internal->SaveAs(path(QStringLiteral("i.qld"))));
    EXPECT_TRUE(internal->Modified());
}

TEST_F(DesignerTest, NewAsksToSaveAndTakesTheSizeFromItsDialog)
{
    auto w = open(false);
    w->AppendRows(1);
    MessageRecorder boxes(platform::IDCANCEL);
    w->NewClick();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("是否保存所做的修改？"));
    EXPECT_EQ(w->DesignGrid()->GetRows(), 9) << "Cancel keeps the document";

    boxes.setAnswer(platform::IDNO);
    DialogAnswer a(Answer<TRowColDialog>([](TRowColDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("表格行列设置"));
        d.RowsBox()->setValue(20);
        d.ColsBox()->setValue(3);
        return int(QDialog::Accepted);
    }));
    w->NewClick();
    EXPECT_EQ(w->DesignGrid()->GetRows(), 20);
    EXPECT_EQ(w->DesignGrid()->GetCols(), 3);
    EXPECT_EQ(w->DesignGrid()->GetCellText(0, 0), QString());
    EXPECT_EQ(w->DesignGrid()->GetRow(), 0);
    EXPECT_FALSE(w->Modified());
    EXPECT_FALSE(w->UndoStack()->canUndo());

    auto internal = open(true);
    DialogAnswer b(Answer<TRowColDialog>([](TRowColDialog &) { return int(QDialog::Accepted); }));
    internal->NewClick();
    EXPECT_TRUE(internal->Modified()) << "a new table differs from the application grid";
}

TEST_F(DesignerTest, OpeningWhatIsNoDocumentSaysSoAndKeepsTheGrid)
{
    const QString file = path(QStringLiteral("junk.qld"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("definitely not a grid document");
    }
    auto w = open(false);
    MessageRecorder boxes;
    EXPECT_FALSE(w->OpenFile(file));
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_FALSE(w->OpenFile(path(QStringLiteral("missing.qld"))));
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(w->DesignGrid()->GetRows(), 8);
    EXPECT_EQ(w->DesignGrid()->GetCellText(7, 4), QStringLiteral("7,4"));
    EXPECT_TRUE(w->FileName().isEmpty());
}

TEST_F(DesignerTest, OpeningThroughTheMenuAsksForAFileAndRemembersIt)
{
    TQorGrid other;
    other.SetRows(3);
    other.SetCols(2);
    const QString file = path(QStringLiteral("other.qld"));
    ASSERT_TRUE(other.SaveToFile(file));
    auto w = open(false);
    w->SetFileChooser([&](TFileChoice kind, const QString &) {
        EXPECT_EQ(kind, TFileChoice::Open);
        return file;
    });
    w->Action(daOpen)->trigger();
    EXPECT_EQ(w->DesignGrid()->GetRows(), 3);
    EXPECT_EQ(w->FileName(), file);
    EXPECT_EQ(w->RecentFiles().value(0), QFileInfo(file).absoluteFilePath());
    ASSERT_FALSE(w->RecentMenu()->actions().isEmpty());
    EXPECT_EQ(w->RecentMenu()->actions().value(0)->data().toString(), QFileInfo(file).absoluteFilePath());
}

} // namespace
} // namespace qor::test
