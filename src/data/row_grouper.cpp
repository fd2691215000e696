// Grouping: the thirteen steps of Group, and CancelGroup. Rows are never inserted or deleted
// one by one: the group rows needed beyond those an earlier grouping left come as one block
// after the range, one permutation puts every row in its place, and rows left over go as one
// block, so that the work grows with the rows as a sort does.
#include "data/row_grouper_p.h"

#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "core/model/row_col_ops_p.h"
#include "core/model/row_range_p.h"
#include "core/view/grid_pictures_p.h"
#include "data/cell_texts_p.h"
#include "data/data_operations_p.h"
#include "data/outline_p.h"
#include "data/row_permute_p.h"
#include "data/row_sorter_p.h"
#include "data/sort_compare.h"
#include "formula/engine/exp_value.h"
#include "platform/busy_cursor.h"
#include "platform/message_box.h"

namespace qor {

bool RowGrouper::groupedRange(int &first, int &last) const
{
    if (!m_d.misc.grouped || m_d.rows <= 0)
        return false;
    first = std::max(m_d.misc.firstGroupedRow, 0);
    last = std::min(m_d.misc.lastGroupedRow, m_d.rows - 1);
    if (last + 1 < m_d.rows && m_d.rowInfo[size_t(last + 1)].group2 == GrandTotal)
        ++last;
    return first <= last;
}

bool RowGrouper::rowMergesIn(int first, int last) const
{
    for (const TCellInfo *m : m_d.merges->Owners())
        if (m->GetRows() > 1 && m->GetRow() <= last && m->GetRow() + m->GetRows() - 1 >= first)
            return true;
    return false;
}

bool RowGrouper::moveGroupColumns(const std::vector<TGroupItem> &items, int &sortIndex)
{
    auto columnOfTag = [this](int tag) {
        for (int c = 0; c < m_d.cols; ++c)
            if (m_d.column(c)->DataState().GroupTag == tag)
                return c;
        return -1;
    };
    for (int c = 0; c < m_d.cols; ++c) {
        m_d.column(c)->DataState().Grouped = false;
        m_d.column(c)->DataState().GroupTag = -1;
    }
    for (size_t i = 0; i < items.size(); ++i)
        m_d.column(items[i].Col)->DataState().GroupTag = int(i);
    for (int i = 0; i < int(items.size()); ++i) {
        const int from = columnOfTag(i);
        if (from < 0)
            return false;
        if (from == i)
            continue;
        if (!m_d.q->MoveCol(from, 1, i))
            return false;
        if (sortIndex == from)
            sortIndex = i;
        else if (sortIndex >= i && sortIndex < from)
            ++sortIndex;
    }
    // OnColMoved may have changed the columns: every group column must be where it was put.
    for (int i = 0; i < int(items.size()); ++i)
        if (i >= m_d.cols || m_d.column(i)->DataState().GroupTag != i)
            return false;
    if (sortIndex >= m_d.cols)
        sortIndex = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        TColumnDataState &s = m_d.column(int(i))->DataState();
        s.Grouped = true;
        s.GroupAscending = items[i].Ascending;
        s.GroupFooter = items[i].Footer;
    }
    return true;
}

void RowGrouper::cleanGroupRow(int row)
{
    for (int c = 0; c < m_d.cols; ++c) {
        TCellInfo *cell = m_d.cells.At(row, c);
        if (!cell)
            continue;
        // A header's caption (or a copy a new row took from one): one column, no button.
        const TQorPicture *picture = cell->PeekGraphic();
        const bool button = picture && (picture->Image == GridPicture(Outline::kClosedPicture) ||
                                        picture->Image == GridPicture(Outline::kOpenPicture));
        const bool spans = cell->GetNeedDraw() && cell->GetCols() > 1;
        if (spans)
            m_d.merges->SetExtent(*cell, 1, false);
        if (spans || button) {
            cell->SetGraphic(TQorPicture());
            cell->SetTextLMargin(3);
        }
        if (cell->GetCellType() == ctRichEdit && !cell->GetRichText().isEmpty())
            cell->SetRichText(QByteArray());
        if (!cell->GetText().isEmpty())
            cell->SetText(QString());
    }
}

double RowGrouper::cellNumber(int row, int col) const
{
    const TCellInfo *cell = m_d.cells.At(row, col);
    const QString text = cell ? cell->GetText() : DataCellText(m_d, row, col);
    if (cell && cell->GetCellType() != ctRichEdit && TCustomQorGrid::IsFormulaText(text))
        return cell->GetFormulaValue().AsDouble();
    QString plain = text;
    plain.remove(u',');
    return SortNumber(plain).value_or(0.0);
}

void RowGrouper::layOut(const TSortList &list, const TSortComparer &comparer, size_t levels,
                        const std::vector<int> &sumCols)
{
    m_slots.clear();
    m_footers.clear();
    m_slots.reserve(list.size() + list.size() / 8 + 4);
    const size_t sums = sumCols.size();
    std::vector<TFooterFormulaData> open(levels * sums), grand(sums);
    std::vector<int> headerSlot(levels, -1);
    auto close = [&](size_t level) { // 1-based
        if (m_d.column(int(level) - 1)->DataState().GroupFooter) {
            const auto begin = open.begin() + int64_t((level - 1) * sums);
            m_footers.push_back({int(m_slots.size()), headerSlot[level - 1], {begin, begin + int64_t(sums)}});
            m_slots.push_back({Footer, int(level), -1});
        }
    };
    std::vector<double> values(sums);
    for (size_t idx = 0; idx < list.size(); ++idx) {
        size_t changed = 0; // the first level whose value differs from the row before
        if (idx > 0) {
            changed = levels;
            for (size_t k = 0; k < levels; ++k)
                if (comparer.CompareKey(list[idx - 1], list[idx], k) != 0) {
                    changed = k;
                    break;
                }
        }
        if (changed < levels) {
            if (idx > 0)
                for (size_t level = levels; level > changed; --level)
                    close(level);
            for (size_t level = changed + 1; level <= levels; ++level) {
                headerSlot[level - 1] = int(m_slots.size());
                std::fill_n(open.begin() + int64_t((level - 1) * sums), sums, TFooterFormulaData{});
                m_slots.push_back({Header, int(level), int(idx)});
            }
        }
        m_slots.push_back({Data, 0, int(idx)});
        for (size_t s = 0; s < sums; ++s) {
            const double v = cellNumber(list[idx].Row, sumCols[s]);
            for (size_t level = 0; level < levels; ++level) {
                TFooterFormulaData &f = open[level * sums + s];
                f.Sum += v;
                ++f.Count;
            }
            grand[s].Sum += v;
            ++grand[s].Count;
        }
    }
    if (!list.empty())
        for (size_t level = levels; level >= 1; --level)
            close(level);
    if (m_d.misc.showGroupFooter && !list.empty()) {
        m_footers.push_back({int(m_slots.size()), -1, grand});
        m_slots.push_back({GrandTotal, 0, -1});
    }
}

void RowGrouper::writeHeader(int row, int level, const QString &text)
{
    const int col = level - 1;
    TCellInfo *cell = m_d.q->Cells(row, col);
    bool rich = false;
    if (cell->GetCellType() == ctRichEdit)
        if (std::optional<QByteArray> content = m_d.seams.richText->FromPlain(text, cell->PeekFont())) {
            cell->SetRichText(*content);
            rich = true;
        }
    if (!rich)
        cell->SetText(text);
    Outline::SetButton(m_d, row, false);
    cell->SetGraphicHorAlignment(taLeftJustify);
    cell->SetTextLMargin(18);
    if (col < m_d.cols - 1)
        m_d.merges->SetExtent(*cell, m_d.cols - col, false);
}

void RowGrouper::Group(const QString &specText, int sortCol, bool sortAscending)
{
    TCustomQorGrid &g = *m_d.q;
    // A call from inside the rebuild (an event handler) would work on half-placed rows.
    if (m_ops.grouping || specText.isEmpty() || m_d.rows < 2)
        return;
    RowRange range = RowRangeOf(m_d, m_d.misc.sortBeginRow, m_d.misc.sortEndRow, true);
    int oldFirst = 0, oldLast = -1;
    if (groupedRange(oldFirst, oldLast)) {
        // A regroup takes in the whole earlier outline, whatever the sort range says now.
        range.first = std::min(range.first, oldFirst);
        range.last = std::max(range.last, oldLast);
    }
    if (range.last <= range.first)
        return;
    if (g.FindErrorMerge() || rowMergesIn(range.first, range.last)) {
        g.MessageBox(QString::fromUtf8(RowSorter::kMergeRefusal), QStringLiteral("提示"),
                     platform::MB_OK | platform::MB_ICONWARNING);
        return;
    }
    const std::optional<std::vector<TGroupItem>> items = ParseGroupSpec(specText, m_d.cols);
    if (!items)
        return;
    std::vector<int> dataRows, spare;
    for (int r = range.first; r <= range.last; ++r)
        (m_d.rowInfo[size_t(r)].group2 == Data ? dataRows : spare).push_back(r);
    if (dataRows.empty())
        return;

    RunningFlag rebuilding(m_ops.grouping);
    platform::BusyCursor busy;
    g.BeginUpdate();
    m_d.hideEditor();
    int sortIndex = sortCol >= 0 && sortCol < m_d.cols ? sortCol : -1;
    if (!moveGroupColumns(*items, sortIndex)) {
        g.EndUpdate();
        return;
    }
    if (g.ResetFilter())
        g.DoFilter();
    if (m_d.seams.binding->ControlsRowCount())
        m_ops.AssignRecordNumbers();

    // Rows of the earlier grouping are blanked for reuse; every row shows at its saved height.
    for (int r : spare)
        cleanGroupRow(r);
    for (int r = range.first; r <= range.last; ++r) {
        m_d.rowAxis.SetVisibleNoEdges(r, true, m_d.layout.unitType);
        RowInfo &info = m_d.rowInfo[size_t(r)];
        info.group3 = 0;
        info.state = 0;
        info.group4 = 0;
    }

    // The sort: one key per level, then the extra sort column when it is not a group column.
    const size_t levels = items->size();
    std::vector<int> keyCols;
    std::vector<bool> ascending;
    for (size_t i = 0; i < levels; ++i) {
        keyCols.push_back(int(i));
        ascending.push_back((*items)[i].Ascending);
    }
    if (sortIndex >= int(levels)) {
        keyCols.push_back(sortIndex);
        ascending.push_back(sortAscending);
    }
    std::vector<bool> numeric(keyCols.size(), true);
    TSortList list;
    list.reserve(dataRows.size());
    for (int r : dataRows) {
        TSortItem item;
        item.Row = r;
        item.Col = keyCols[0];
        item.Keys.resize(keyCols.size());
        for (size_t k = 0; k < keyCols.size(); ++k) {
            TSortKey &key = item.Keys[k];
            key.Text = DataCellText(m_d, r, keyCols[k]);
            key.Ascending = ascending[k];
            if (numeric[k]) {
                if (std::optional<double> v = SortNumber(key.Text))
                    key.Value = *v;
                else
                    numeric[k] = false;
            }
        }
        list.push_back(std::move(item));
    }
    const TSortComparer comparer(numeric, keyCols, &g, g.OnSortCompareFunc);
    QuickSort(list, 0, int(list.size()) - 1, comparer);

    std::vector<int> sumCols;
    for (int c = 0; c < m_d.cols; ++c)
        if (m_d.column(c)->GetFormulaType() != ftNone)
            sumCols.push_back(c);
    layOut(list, comparer, levels, sumCols);

    // Group rows come from the earlier grouping first, then from one block after the range.
    const size_t needed = m_slots.size() - list.size();
    std::vector<int> supply = spare;
    if (needed > spare.size()) {
        const int count = int(needed - spare.size());
        const bool append = range.last == m_d.rows - 1;
        if (!RowColOps(m_d).Insert(range.last + 1, count, true, append, true)) {
            g.EndUpdate();
            return;
        }
        for (int r = range.last + 1; r <= range.last + count; ++r) {
            cleanGroupRow(r);
            m_d.rowInfo[size_t(r)] = RowInfo{};
            supply.push_back(r);
        }
    }
    std::vector<int> source;
    source.reserve(supply.size() + list.size());
    size_t next = 0;
    for (const Slot &s : m_slots)
        source.push_back(s.type == Data ? list[size_t(s.item)].Row : supply[next++]);
    const size_t leftover = supply.size() - next;
    while (next < supply.size())
        source.push_back(supply[next++]);
    PermuteRowBlock(m_d, range.first, source, false);
    if (leftover > 0)
        RowColOps(m_d).Delete(range.first + int(m_slots.size()), true, int(leftover));

    // Types, levels, header cells and what shows: level-1 headers (and the grand total) only.
    const int first = range.first;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const Slot &s = m_slots[i];
        const int r = first + int(i);
        RowInfo &info = m_d.rowInfo[size_t(r)];
        info.group2 = s.type;
        info.group3 = s.level;
        info.state = 0;
        info.group4 = 0;
        if (s.type != Data)
            info.group1 = 0;
        if (s.type == Header)
            writeHeader(r, s.level, list[size_t(s.item)].Keys[size_t(s.level - 1)].Text);
        if (s.type == GrandTotal)
            m_d.rowAxis.SetSize(r, m_d.layout.defaultRowHeight, m_d.layout.unitType);
        const bool shown = (s.type == Header && s.level == 1) || s.type == GrandTotal;
        m_d.rowAxis.SetVisibleNoEdges(r, shown, m_d.layout.unitType);
    }
    const bool grandTotal = !m_slots.empty() && m_slots.back().type == GrandTotal;
    m_d.misc.firstGroupedRow = first;
    m_d.misc.lastGroupedRow = first + int(m_slots.size()) - 1 - (grandTotal ? 1 : 0);
    m_d.rowAxis.Recalc(0);
    m_d.batch.MarkHeightsChanged();

    for (const FooterSums &f : m_footers) {
        const int r = first + f.slot;
        const int top = f.headerSlot >= 0 ? first + f.headerSlot + 1 : first;
        const int bottom = f.headerSlot >= 0 ? r - 1 : m_d.misc.lastGroupedRow;
        for (size_t s = 0; s < sumCols.size(); ++s)
            g.SetFooterFormula(r, sumCols[s], top, bottom, f.sums[s]);
    }
    m_d.misc.grouped = true;
    m_d.merges->CalMergeCell();
    Outline(m_d).RecomputeAllMarkers();
    m_ops.groupSortCol = sortIndex;
    m_ops.groupSortAsc = sortAscending;
    g.SortCol(sortIndex, sortAscending);
    if (m_d.seams.binding->ControlsRowCount())
        m_d.seams.binding->RowsReordered(g.GetRow());
    m_ops.grouping = false;
    // Inside the update still; the rows are all in place, so a handler may group again.
    if (g.OnSorted)
        g.OnSorted(&g, sortIndex);
    g.EndUpdate();
    m_d.layoutChanged();
}

void RowGrouper::CancelGroup()
{
    int first = 0, last = -1;
    if (m_ops.grouping)
        return;
    if (!groupedRange(first, last)) {
        m_ops.SetGroupedFalse();
        return;
    }
    TCustomQorGrid &g = *m_d.q;
    RunningFlag rebuilding(m_ops.grouping);
    platform::BusyCursor busy;
    g.BeginUpdate();
    m_d.hideEditor();
    std::vector<int> source, groupRows;
    for (int r = first; r <= last; ++r) {
        RowInfo &info = m_d.rowInfo[size_t(r)];
        if (info.group2 != Data) {
            groupRows.push_back(r);
            continue;
        }
        source.push_back(r);
        m_d.rowAxis.SetVisibleNoEdges(r, true, m_d.layout.unitType);
        info.group3 = 0;
        info.state = 0;
        info.group4 = 0;
    }
    m_d.rowAxis.Recalc(0);
    m_d.batch.MarkHeightsChanged();
    const int kept = int(source.size());
    if (!groupRows.empty()) {
        source.insert(source.end(), groupRows.begin(), groupRows.end());
        PermuteRowBlock(m_d, first, source, false);
        // Areas merged over rows after the grouping (MergeCells does not refuse) moved with
        // their owners: their covered cells are marked again where they are now.
        if (!m_d.merges->Owners().empty())
            m_d.merges->CalMergeCell();
        RowColOps(m_d).Delete(first + kept, true, int(groupRows.size()));
    }
    m_ops.grouping = false;
    m_ops.SetGroupedFalse();
    g.EndUpdate();
    m_d.layoutChanged();
}

} // namespace qor
