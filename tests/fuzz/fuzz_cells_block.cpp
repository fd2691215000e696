// Hostile bytes through the cells-block reader behind LoadCellsFromStream: a block is either refused with nothing changed or
// placed; the grid stays consistent either way.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/grid.h"
#include "core/grid_p.h"
#include "io/cells_block.h"
#include "io/grid_stream.h"
#include "platform/message_box.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &) { return int(qor::platform::IDOK); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the reading: sizes, hidden rows skipped, texts only.
    const uint8_t mode = data[0];
    QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    qor::TQorGrid grid;
    grid.SetCols(6);
    grid.SetRows(6);
    qor::GridPrivate::get(grid).rowAxis.SetVisible(2, false);
    grid.SetColWidth(3, 0);
    grid.SetCellText(1, 1, "before");
    const QByteArray before = qor::SaveGridSnapshot(grid);
    qor::CellsBlockOptions options;
    options.ApplySizes = mode & 2;
    options.SkipHidden = mode & 4;
    options.OnlyText = mode & 8;
    const bool placed = qor::LoadCellsBlock(grid, bytes, mode & 1, (mode >> 4) & 1, options);
    if (!qor::GridPrivate::get(grid).cells.checkConsistency().empty() || !qor::GridPrivate::get(grid).rowAxis.checkConsistency().empty() ||
        !qor::GridPrivate::get(grid).colAxis.checkConsistency().empty())
        std::abort();
    if (!placed && qor::SaveGridSnapshot(grid) != before)
        std::abort();
    return 0;
}
