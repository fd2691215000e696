// Hostile private clipboard data (a cells block and the cut marker) pasted into a grid: each
// input is placed whole or refused whole, and the grid stays consistent.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "formula/formula_manager_p.h"
#include "io/cells_block.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &) { return int(qor::platform::IDOK); });
    qor::platform::SetCurrentClipboard(qor::platform::MakeStandInClipboard());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    qor::TQorGrid grid;
    grid.SetCols(8);
    grid.SetRows(12);
    grid.SetCellText(0, 0, "=B1+1");
    grid.SetCellText(0, 1, "2");
    grid.MergeCells(4, 4, 5, 6);
    grid.SetFocusCell(size % 12, (size / 12) % 8);
    const QByteArray before = qor::SaveCellsBlock(grid, 0, 0, 12, 8);
    qor::platform::CurrentClipboard().Set({{QString::fromLatin1(qor::platform::kGridFormatMime), bytes}});
    grid.PasteFromClipBoard(size % 3 == 0);
    qor::GridPrivate &d = qor::GridPrivate::get(grid);
    if (grid.GetRows() != 12 || grid.GetCols() != 8 || !d.cells.checkConsistency().empty() ||
        !d.merges->checkConsistency().empty() || !qor::FormulaManager::Of(grid).checkConsistency().empty())
        std::abort();
    // A block the grid refuses changes nothing.
    if (qor::CellsBlockRect(bytes.left(bytes.size() - 1)).isEmpty() && qor::SaveCellsBlock(grid, 0, 0, 12, 8) != before)
        std::abort();
    return 0;
}
