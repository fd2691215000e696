// Hostile formula texts, structural changes and sorts on a small sheet: every text is either evaluated
// or refused with an expression error, and after every step the formula bookkeeping, the merged
// areas and the cell store agree with themselves.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "formula/formula_manager_p.h"
#include "platform/message_box.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &) { return int(qor::platform::IDOK); });
    return 0;
}

namespace {

void check(qor::TQorGrid &grid)
{
    qor::GridPrivate &d = qor::GridPrivate::get(grid);
    if (!qor::FormulaManager::Of(grid).checkConsistency().empty() || !d.cells.checkConsistency().empty() ||
        !d.merges->checkConsistency().empty() || !d.rowAxis.checkConsistency().empty())
        std::abort();
    if (grid.GetGrouped() && (grid.GetFirstGroupedRow() < 0 || grid.GetLastGroupedRow() >= grid.GetRows()))
        std::abort();
}

} // namespace

// Each step: an operation byte, two position bytes, then (for a text) a length byte and the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    qor::TQorGrid grid;
    grid.SetCols(6);
    grid.SetRows(8);
    size_t i = 0;
    for (int steps = 0; i + 3 <= size && steps < 64; ++steps) {
        const uint8_t op = data[i];
        const int row = data[i + 1] % std::max(grid.GetRows(), 1);
        const int col = data[i + 2] % std::max(grid.GetCols(), 1);
        i += 3;
        try {
            switch (op % 8) {
            case 0:
            case 1:
            case 2: {
                const size_t n = i < size ? std::min<size_t>(data[i], size - i - 1) : 0;
                const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + i + 1), qsizetype(n));
                i += n + 1;
                grid.SetCellText(row, col, op % 8 == 2 ? "=" + text : text);
                break;
            }
            case 3: grid.InsertRow(row, 1 + op / 64); break;
            case 4: if (grid.GetRows() > 2) grid.DeleteRow(row); break;
            case 5: grid.InsertCol(col, 1); break;
            case 6: if (grid.GetCols() > 2) grid.DeleteCol(col); break;
            default:
                if (op & 0x40) {
                    const bool flag = (op & 0x20) != 0;
                    switch ((op >> 3) & 3) {
                    case 0: grid.Sort(col, flag); break;   // formulas follow their rows
                    case 1: {
                        QString spec = QString::number(col) + (flag ? ":DESC" : "");
                        if (row % 2)
                            spec += ";" + QString::number((col + 1) % grid.GetCols()) + (op & 1 ? ":ASC:False" : "");
                        grid.Group(spec, row % grid.GetCols(), op & 2);
                        break;
                    }
                    case 2: flag ? grid.ExpandNode(row) : grid.CloseNode(row); break;
                    default: flag ? grid.CancelGroup() : grid.ExpandAllNode();
                    }
                } else if (grid.GetRows() < 64 && grid.GetCols() < 32)
                    grid.MergeCells(row, col, std::min(row + 1, grid.GetRows() - 1), std::min(col + op / 128, grid.GetCols() - 1));
                else
                    grid.RefreshFormula();
            }
        } catch (const std::exception &) {
            // A formula the engine cannot read, or a cycle: refused with its message.
        }
        check(grid);
        if (grid.GetRows() > 200 || grid.GetCols() > 60)
            break;
    }
    return 0;
}
