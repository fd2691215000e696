#include "data/row_permute_p.h"

#include "core/grid_p.h"

namespace qor {

void PermuteRowBlock(GridPrivate &d, int first, const std::vector<int> &source, bool recordNumbersStay,
                     const std::function<bool(int)> &stays)
{
    const int last = first + int(source.size()) - 1;
    // Frames are shared with neighbours: only cells with records can hold other than the
    // defaults, and the rows around the block and the columns that stayed are neighbours too.
    const bool frames = d.cells.PermuteRows(first, source, stays) ||
                        d.cells.RecordsInRows(first - 1, first - 1) || d.cells.RecordsInRows(last + 1, last + 1) ||
                        (stays && d.cells.RecordsInRows(first, last));
    d.rowAxis.Permute(first, source);
    const size_t n = source.size();
    std::vector<RowInfo> old(d.rowInfo.begin() + first, d.rowInfo.begin() + first + int64_t(n));
    for (size_t i = 0; i < n; ++i) {
        RowInfo info = old[size_t(source[i] - first)];
        if (recordNumbersStay)
            info.group1 = old[i].group1;
        d.rowInfo[size_t(first) + i] = info;
    }
    d.batch.MarkHeightsChanged();
    for (size_t i = 0; frames && i < n; ++i) {
        if (source[i] == first + int(i))
            continue;
        for (int c = 0; c < d.cols; ++c)
            if (TCellInfo *cell = d.cells.At(first + int(i), c))
                cell->ResetCellFrame();
    }
    d.seams.formulas->RowsPermuted(first, source);
}

} // namespace qor
