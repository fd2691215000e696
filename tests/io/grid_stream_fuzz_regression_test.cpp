// Every kept fuzzing input, seeds and past crashes alike, under the fuzz targets' checks.
#include "grid_stream_helpers.h"

#include <QDir>
#include <QFile>
#include "io/cells_block.h"
#include "message_recorder.h"

namespace qor::test {

namespace {

QList<QByteArray> corpus(const char *name)
{
    QList<QByteArray> inputs;
    const QDir dir(QStringLiteral(QOR_TEST_DATA_DIR "/../fuzz/corpus/") + name);
    for (const QString &file : dir.entryList(QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(file));
        if (f.open(QIODevice::ReadOnly))
            inputs << f.readAll();
    }
    return inputs;
}

void expectConsistent(const TCustomQorGrid &grid)
{
    EXPECT_EQ(GridPrivate::get(grid).cells.checkConsistency(), "");
    EXPECT_EQ(GridPrivate::get(grid).rowAxis.checkConsistency(), "");
    EXPECT_EQ(GridPrivate::get(grid).colAxis.checkConsistency(), "");
}

} // namespace

TEST(GridStreamFuzzInputs, RefusedOrLoadedIntoAGridThatSavesAndLoadsAgain)
{
    const QList<QByteArray> inputs = corpus("grid_stream");
    ASSERT_FALSE(inputs.isEmpty());
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "input " << i);
        TQorGrid grid;
        grid.SetCellText(0, 0, "before");
        const QByteArray before = SaveGridSnapshot(grid);
        MessageRecorder boxes;
        const bool loaded = LoadGridFromBytes(grid, inputs[i]);
        expectConsistent(grid);
        if (!loaded) {
            EXPECT_EQ(SaveGridSnapshot(grid), before);
            continue;
        }
        TQorGrid again;
        EXPECT_TRUE(LoadGridFromBytes(again, SaveGridToBytes(grid, true, true)));
        EXPECT_EQ(boxes.count(), 0);
    }
}

TEST(CellsBlockFuzzInputs, RefusedWithNothingChangedOrPlaced)
{
    for (const QByteArray &input : corpus("cells_block")) {
        if (input.isEmpty())
            continue;
        const uint8_t mode = uint8_t(input[0]);
        TQorGrid grid;
        grid.SetCols(6);
        grid.SetRows(6);
        hideRow(grid, 2);
        grid.SetColWidth(3, 0);
        grid.SetCellText(1, 1, "before");
        const QByteArray before = SaveGridSnapshot(grid);
        CellsBlockOptions options;
        options.ApplySizes = mode & 2;
        options.SkipHidden = mode & 4;
        options.OnlyText = mode & 8;
        if (!LoadCellsBlock(grid, input.mid(1), mode & 1, (mode >> 4) & 1, options))
            EXPECT_EQ(SaveGridSnapshot(grid), before);
        expectConsistent(grid);
    }
}

} // namespace qor::test
