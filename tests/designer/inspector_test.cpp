// The property inspector: values shown under their captions, edits in place and through the
// colour and font dialogs, each one undoable, and refreshed after commands.
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QSpinBox>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QUndoStack>
#include "designer/property_inspector.h"
#include "designer_fixture.h"

namespace qor::test {
namespace {

QModelIndex valueOf(TPropertyInspector &i, const char *name)
{
    const int row = i.Model()->RowOf(QLatin1String(name));
    EXPECT_GE(row, 0) << name;
    return i.Model()->index(row, 1);
}

TEST_F(DesignerTest, TheInspectorShowsTheGridUnderChineseCaptions)
{
    auto w = open();
    TPropertyInspector &i = *w->Inspector();
    EXPECT_EQ(i.windowTitle(), QStringLiteral("属性编辑器"));
    const QModelIndex rows = valueOf(i, "Rows");
    EXPECT_EQ(rows.siblingAtColumn(0).data().toString(), QStringLiteral("行数"));
    EXPECT_EQ(rows.data().toString(), QStringLiteral("8"));
    EXPECT_EQ(i.ValueText(QStringLiteral("qgoEditing")), w->DesignGrid()->HasOption(qgoEditing) ? QStringLiteral("是") : QStringLiteral("否"));
    EXPECT_EQ(i.ValueText(QStringLiteral("GridType")), QStringLiteral("票据"));
    EXPECT_EQ(i.ValueText(QStringLiteral("NoSuchProperty")), QString());
    for (const TDesignProperty &p : DesignProperties()) {
        EXPECT_FALSE(p.Caption.isEmpty()) << p.Name.toStdString();
        // Every value reads back what it shows and can be written back unchanged.
        const QVariant v = p.Get(*w->DesignGrid());
        p.Set(*w->DesignGrid(), v);
        EXPECT_EQ(p.Get(*w->DesignGrid()), v) << p.Name.toStdString();
    }
}

TEST_F(DesignerTest, EditsInTheInspectorChangeTheGridAndAreUndone)
{
    auto w = open();
    TPropertyInspector &i = *w->Inspector();
    TQorGrid &g = *w->DesignGrid();
    ASSERT_TRUE(i.Model()->setData(valueOf(i, "Zoom"), 150, Qt::EditRole));
    EXPECT_EQ(g.GetZoom(), 150);
    EXPECT_TRUE(w->Modified());
    ASSERT_TRUE(i.Model()->setData(valueOf(i, "Zoom"), 100000, Qt::EditRole));
    EXPECT_EQ(g.GetZoom(), 400) << "held to the property's range";
    EXPECT_FALSE(i.Model()->setData(valueOf(i, "Zoom"), QStringLiteral("big"), Qt::EditRole));

    // In place, as the view's editor does it.
    TPropertyDelegate delegate;
    const QModelIndex type = valueOf(i, "GridType");
    std::unique_ptr<QWidget> editor(delegate.createEditor(i.View()->viewport(), QStyleOptionViewItem(), type));
    auto *combo = qobject_cast<QComboBox *>(editor.get());
    ASSERT_TRUE(combo);
    delegate.setEditorData(combo, type);
    EXPECT_EQ(combo->currentText(), QStringLiteral("票据"));
    combo->setCurrentIndex(gtExcel);
    delegate.setModelData(combo, i.Model(), type);
    EXPECT_EQ(g.GetGridType(), gtExcel);
    EXPECT_EQ(type.data().toString(), QStringLiteral("电子表格"));

    w->UndoStack()->undo();
    EXPECT_EQ(g.GetGridType(), gtInvoice);
    EXPECT_EQ(type.data().toString(), QStringLiteral("票据"));
    w->UndoStack()->undo();
    w->UndoStack()->undo();
    EXPECT_EQ(g.GetZoom(), 100);
    EXPECT_EQ(valueOf(i, "Zoom").data().toString(), QStringLiteral("100"));
    EXPECT_FALSE(w->Modified());
}

TEST_F(DesignerTest, ColoursAndFontsAreChosenInTheirDialogs)
{
    auto w = open();
    TPropertyInspector &i = *w->Inspector();
    TQorGrid &g = *w->DesignGrid();
    {
        DialogAnswer a(Answer<QColorDialog>([](QColorDialog &d) {
            d.setCurrentColor(QColor(0x12, 0x34, 0x56));
            return int(QDialog::Accepted);
        }));
        ASSERT_TRUE(TPropertyDelegate::EditWithDialog(i.View(), i.Model(), valueOf(i, "LineColor")));
    }
    EXPECT_EQ(g.GetLineColor(), TColor(0x563412));
    EXPECT_EQ(i.ValueText(QStringLiteral("LineColor")), QStringLiteral("#123456"));
    QFont chosen;
    {
        DialogAnswer a(Answer<QFontDialog>([&](QFontDialog &d) {
            QFont f = d.currentFont();
            f.setPointSize(f.pointSize() + 5);
            d.setCurrentFont(f);
            chosen = d.currentFont();
            return int(QDialog::Accepted);
        }));
        ASSERT_TRUE(TPropertyDelegate::EditWithDialog(i.View(), i.Model(), valueOf(i, "Font")));
    }
    EXPECT_EQ(g.GetFont().Font, chosen);
    EXPECT_EQ(i.ValueText(QStringLiteral("Font")), chosen.family() + QStringLiteral(", ") + QString::number(chosen.pointSize()));
    {
        DialogAnswer a(Answer<QColorDialog>([](QColorDialog &) { return int(QDialog::Rejected); }));
        EXPECT_FALSE(TPropertyDelegate::EditWithDialog(i.View(), i.Model(), valueOf(i, "Color")));
    }
    EXPECT_EQ(w->UndoStack()->count(), 2);
}

TEST_F(DesignerTest, RowsSetInTheInspectorComeBackWithTheirCells)
{
    auto w = open();
    TPropertyInspector &i = *w->Inspector();
    ASSERT_TRUE(i.Model()->Commit(i.Model()->RowOf(QStringLiteral("Rows")), 3));
    EXPECT_EQ(w->DesignGrid()->GetRows(), 3);
    w->UndoStack()->undo();
    EXPECT_EQ(w->DesignGrid()->GetRows(), 8);
    EXPECT_EQ(w->DesignGrid()->GetCellText(6, 2), QStringLiteral("6,2"));
    EXPECT_EQ(i.ValueText(QStringLiteral("Rows")), QStringLiteral("8"));
}

} // namespace
} // namespace qor::test
