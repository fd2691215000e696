// Hostile table text pasted from the clipboard: fields land inside the grid only, hidden and
// merged lines are respected, and the grid keeps its size and consistency.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "formula/formula_manager_p.h"
#include "io/table_text.h"
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
    if (size < 1)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    // The parser alone: every line it gives back is one of the text's lines.
    const auto lines = qor::ParseTableText(text, u'\t');
    if (lines.size() > size_t(text.size()) + 1)
        std::abort();
    qor::TQorGrid grid;
    grid.SetCols(6);
    grid.SetRows(9);
    grid.SetRowVisible(3, false);
    grid.SetColWidth(2, 0);
    grid.MergeCells(5, 0, 6, 1);
    grid.Cells(1, 1)->SetReadOnly(true);
    grid.SetCellText(1, 1, "kept");
    grid.SetFocusCell(data[0] % 9, (data[0] / 9) % 6);
    std::vector<qor::platform::ClipboardForm> forms{{QString::fromLatin1(qor::platform::kTextMime), text.toUtf8()}};
    if (data[0] & 0x80)
        forms.push_back({QString::fromLatin1(qor::platform::kCsvMime), QByteArray("x")});
    qor::platform::CurrentClipboard().Set(forms);
    grid.PasteFromClipBoard(false);
    qor::GridPrivate &d = qor::GridPrivate::get(grid);
    if (grid.GetRows() != 9 || grid.GetCols() != 6 || grid.GetCellText(1, 1) != "kept" ||
        !d.cells.checkConsistency().empty() || !d.merges->checkConsistency().empty() ||
        !qor::FormulaManager::Of(grid).checkConsistency().empty())
        std::abort();
    return 0;
}
