// Sort(Col, Ascending): items from the sort column, the shared quicksort, then one permutation
// of the range's rows.
#include "data/row_sorter_p.h"

#include <numeric>
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "core/model/row_range_p.h"
#include "data/cell_texts_p.h"
#include "data/data_operations_p.h"
#include "data/row_permute_p.h"
#include "data/sort_compare.h"
#include "platform/busy_cursor.h"
#include "platform/message_box.h"

namespace qor {

bool RowSorter::Sort(int col, bool ascending)
{
    TCustomQorGrid &g = *m_d.q;
    if (col < 0 || col >= m_d.cols || m_ops.sorting)
        return false;
    // A grouped grid sorts by grouping again, with the column as the extra key.
    if (m_ops.IsGrouped()) {
        const QString spec = m_ops.GroupSpecOfColumns(col, ascending);
        if (!spec.isEmpty()) {
            g.Group(spec, col, ascending);
            return true;
        }
    }
    RunningFlag running(m_ops.sorting);
    platform::BusyCursor busy;
    const RowRange range = RowRangeOf(m_d, m_d.misc.sortBeginRow, m_d.misc.sortEndRow, true);
    const TCellInfo *top = range.first <= range.last ? m_d.cells.At(range.first, col) : nullptr;
    const int k = top ? std::max(top->GetRows(), 1) : 1;
    if (g.FindErrorMerge() || blocksTear(range.first, range.last, k)) {
        g.MessageBox(QString::fromUtf8(kMergeRefusal), QStringLiteral("提示"), platform::MB_OK | platform::MB_ICONWARNING);
        return false;
    }
    m_d.hideEditor();
    if (m_d.seams.binding->ControlsRowCount())
        m_ops.AssignRecordNumbers();

    TSortList items;
    std::vector<int> positions; // the rows that take part, in order: where the sorted items go
    bool numeric = true;
    if (range.first <= range.last) {
        items.reserve(size_t((range.last - range.first) / k + 1));
        for (int r = range.first; r <= range.last; ++r) {
            bool covered = false;
            QString text = DataCellText(m_d, r, col, &covered);
            if (covered)
                continue;
            TSortItem item;
            if (numeric) {
                if (std::optional<double> v = SortNumber(text))
                    item.Value = *v;
                else
                    numeric = false;
            }
            item.Text = std::move(text);
            item.Ascending = ascending;
            item.Col = col;
            item.Row = r;
            item.RowRec = g.GetRowRec(r);
            items.push_back(std::move(item));
            positions.push_back(r);
        }
    }
    const TSortComparer comparer({numeric}, {col}, &g, g.OnSortCompareFunc);
    QuickSort(items, 0, int(items.size()) - 1, comparer);

    if (!items.empty()) {
        std::vector<int> source(size_t(range.last - range.first + 1));
        std::iota(source.begin(), source.end(), range.first);
        bool moved = false;
        for (size_t i = 0; i < items.size(); ++i) {
            const int t = positions[i], s = items[i].Row;
            if (t == s)
                continue;
            moved = true;
            // A merged block of k rows moves whole.
            for (int j = 0; j < k && t + j <= range.last; ++j)
                source[size_t(t + j - range.first)] = s + j;
        }
        if (moved) {
            g.BeginUpdate();
            place(range.first, source);
            if (!m_d.merges->Owners().empty())   // without areas nothing is covered
                m_d.merges->CalMergeCell();
            if (m_d.seams.binding->ControlsRowCount())
                m_d.seams.binding->RowsReordered(g.GetRow());
            g.EndUpdate();
            m_d.layoutChanged();
        }
    }
    m_d.misc.sortingColIndex = col;
    m_d.misc.sortingColAsc = ascending;
    g.SortCol(col, ascending);
    if (g.OnSorted)
        g.OnSorted(&g, col);
    return true;
}

bool RowSorter::blocksTear(int first, int last, int k) const
{
    for (const TCellInfo *m : m_d.merges->Owners()) {
        const int row = m->GetRow(), rows = m->GetRows();
        if (rows <= 1 || row < first || row > last)
            continue;
        if (rows != k || (row - first) % k != 0)
            return true;
    }
    return false;
}

void RowSorter::place(int first, const std::vector<int> &source)
{
    // Keeping a bound row's record number in place would leave the fields unsorted beside
    // their moved neighbours: the whole row goes, record number and all.
    PermuteRowBlock(m_d, first, source, !m_d.seams.binding->ControlsRowCount());
}

} // namespace qor
