// Cells blocks, cells files, structure copies and column layouts.
#include "grid_stream_helpers.h"

#include <QSettings>
#include <QTemporaryDir>
#include "io/cells_block.h"

namespace qor::test {

namespace {

QByteArray blockOf(TCustomQorGrid &grid, int top, int left, int rows, int cols)
{
    QByteArray bytes("old");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadWrite);
    grid.SaveCellsToStream(top, left, rows, cols, buffer);
    EXPECT_EQ(buffer.pos(), 0);
    return bytes;
}

void loadBlock(TCustomQorGrid &grid, QByteArray bytes, int top, int left, bool applySizes, bool skipHidden)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    grid.LoadCellsFromStream(buffer, top, left, applySizes, skipHidden);
}

} // namespace

TEST(CellsBlock, HeaderRectangleAndOneRecordPerPosition)
{
    TQorGrid grid;
    grid.SetCellText(1, 2, "x");
    const QByteArray block = blockOf(grid, 1, 1, 2, 2);
    ASSERT_TRUE(block.startsWith("Cells"));
    ByteReader in(block);
    in.skip(5);
    EXPECT_EQ(in.readI32(), 1);
    EXPECT_EQ(in.readI32(), 1);
    EXPECT_EQ(in.readI32(), 2);
    EXPECT_EQ(in.readI32(), 2);
    int records = 0;
    while (!in.atEnd()) {
        const qsizetype n = in.readLength();
        EXPECT_TRUE(in.peekTag("Cel")) << records;
        in.skip(n);
        ++records;
    }
    EXPECT_EQ(records, 4);
    EXPECT_TRUE(grid.PeekCell(2, 2)) << "every position gets a cell";

    // A single cell still writes the 21 header bytes and its record.
    EXPECT_GT(blockOf(grid, 0, 0, 1, 1).size(), kCellsBlockHeaderSize);
    // Rectangles not inside the grid leave the stream empty.
    EXPECT_TRUE(blockOf(grid, 3, 3, 2, 1).isEmpty());
    EXPECT_TRUE(blockOf(grid, -1, 0, 1, 1).isEmpty());
    EXPECT_TRUE(blockOf(grid, 0, 0, 0, 1).isEmpty());
    EXPECT_TRUE(blockOf(grid, 0, 0, 1, INT_MAX).isEmpty());
}

TEST(CellsBlock, OnlyTextTakesTheTextsAlone)
{
    TQorGrid source;
    source.SetCellText(0, 0, "text");
    source.Cells(0, 0)->SetBackColor(0x0000FF);
    QByteArray block = blockOf(source, 0, 0, 1, 1);
    TQorGrid target;
    target.Cells(1, 1)->SetBackColor(0x00FF00);
    QBuffer buffer(&block);
    buffer.open(QIODevice::ReadOnly);
    target.LoadCellsFromStream_OnlyText(buffer, 1, 1);
    EXPECT_EQ(target.GetCellText(1, 1), QString("text"));
    EXPECT_EQ(target.GetCellBackColor(1, 1), TColor(0x00FF00));
}

TEST(CellsBlock, DamagedBlocksChangeNothing)
{
    TQorGrid source;
    source.SetCellText(0, 0, "a");
    source.SetCellText(0, 1, "b");
    const QByteArray block = blockOf(source, 0, 0, 1, 2);
    for (qsizetype n = 0; n < block.size(); n += 3) {
        TQorGrid target;
        loadBlock(target, block.left(n), 0, 0, false, false);
        EXPECT_EQ(GridPrivate::get(target).cells.CellCount(), 0) << "cut at " << n;
    }
    QByteArray huge = block;
    ByteWriter w;
    w.writeI32(1 << 30);
    huge.replace(13, 4, w.bytes());
    TQorGrid target;
    loadBlock(target, huge, 0, 0, false, false);
    EXPECT_EQ(GridPrivate::get(target).cells.CellCount(), 0);
}

TEST(CellsBlock, FilesAndSelection)
{
    QTemporaryDir dir;
    TQorGrid grid;
    grid.SetCellText(0, 1, "one");
    grid.SetCellText(1, 1, "two");
    ASSERT_TRUE(grid.SaveCellsToFile(0, 1, 2, 1, dir.filePath("cells.bin")));
    TQorGrid target;
    ASSERT_TRUE(target.LoadCellsFromFile(dir.filePath("cells.bin"), 2, 0, false));
    EXPECT_EQ(target.GetCellText(3, 0), QString("two"));
    EXPECT_FALSE(target.LoadCellsFromFile(dir.filePath("missing.bin"), 0, 0, false));

    GridPrivate::get(grid).selection = QRect(1, 0, 1, 2);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadWrite);
    grid.SaveSelectionToStream(buffer);
    EXPECT_EQ(bytes, blockOf(grid, 0, 1, 2, 1));
}

TEST(CellsBlock, CopyStructureMovesNamesAndCanDropTexts)
{
    TQorGrid grid;
    grid.SetCellText(0, 0, "total");
    grid.Cells(0, 0)->SetName("Total");
    grid.Cells(0, 0)->SetBackColor(0x0000FF);
    grid.CopyStructure(0, 0, 1, 1, 2, 2, false);
    EXPECT_EQ(grid.GetCellText(2, 2), QString());
    EXPECT_EQ(grid.GetCellBackColor(2, 2), TColor(0x0000FF));
    EXPECT_EQ(grid.CellByName("Total"), grid.Cells(2, 2));
    EXPECT_EQ(grid.Cells(0, 0)->GetName(), QString());
    EXPECT_EQ(grid.GetCellText(0, 0), QString("total"));

    grid.CopyStructure(0, 0, 2, 2, 2, 2, true);
    EXPECT_EQ(grid.GetCellText(2, 2), QString("total"));
    grid.CopyStructure(0, 0, 2, 2, 3, 3, true); // target leaves the grid
    EXPECT_EQ(grid.GetCellText(3, 3), QString());
}

TEST(ColumnLayout, IniFileKeysAndMissingColumns)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("layout.ini");
    TQorGrid grid;
    grid.SetColWidth(0, 11);
    grid.SetColWidth(3, 44);
    grid.SaveLayout(ini, "Grid1", slIniFile);
    {
        QSettings settings(ini, QSettings::IniFormat);
        EXPECT_EQ(settings.value("Grid1/Col0").toInt(), 11);
        EXPECT_EQ(settings.value("Grid1/Col3").toInt(), 44);
        settings.remove("Grid1/Col3");
    }
    TQorGrid target;
    target.SetColWidth(3, 77);
    target.LoadLayout(ini, "Grid1", slIniFile);
    EXPECT_EQ(target.GetColWidth(0), 11);
    EXPECT_EQ(target.GetColWidth(1), 60);
    EXPECT_EQ(target.GetColWidth(3), 77) << "a missing key keeps the width";

    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("native"));
    grid.SaveLayout("Software\\QorTest\\Layout", "G", slRegistry);
    TQorGrid fromStore;
    fromStore.LoadLayout("Software\\QorTest\\Layout", "G", slRegistry);
    EXPECT_EQ(fromStore.GetColWidth(3), 44);
}

} // namespace qor::test
