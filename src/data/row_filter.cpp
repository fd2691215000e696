// DoFilter: which rows of the filter range pass every column's filter.
#include "data/row_filter_p.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include "core/grid_p.h"
#include "core/model/row_range_p.h"
#include "data/cell_texts_p.h"
#include "data/data_operations_p.h"
#include "data/sort_compare.h"
#include "format/number_text.h"
#include "platform/busy_cursor.h"

namespace qor {

bool RowFilter::GetSortData(int col, bool ascending, TSortList &list)
{
    list.clear();
    if (col < 0 || col >= m_d.cols)
        return true;
    const RowRange range = RowRangeOf(m_d, m_d.misc.filterBeginRow, m_d.misc.filterEndRow, false);
    bool numeric = true;
    if (range.first <= range.last)
        list.reserve(size_t(range.last - range.first + 1));
    for (int r = range.first; r <= range.last; ++r) {
        TSortItem item;
        item.Text = DataCellText(m_d, r, col);
        if (numeric) {
            if (std::optional<double> v = SortNumber(item.Text))
                item.Value = *v;
            else
                numeric = false;
        }
        item.Ascending = ascending;
        item.Col = col;
        item.Row = r;
        list.push_back(std::move(item));
    }
    // The list is a column's values, not rows: the row types play no part.
    const TSortComparer comparer({numeric}, {col}, m_d.q, m_d.q->OnSortCompareFunc);
    QuickSort(list, 0, int(list.size()) - 1, comparer);
    return numeric;
}

void RowFilter::prepareTop10(TQorColumn &column, int rangeRows)
{
    const TColumnDataState &s = column.DataState();
    TFilterRun &b = column.FilterRun();
    b = TFilterRun{};
    b.Active = true;
    // A percentage rounds half to even, as the count of rows it names; the list has one entry
    // per row of the range.
    int64_t n = s.Top10Second ? int64_t(s.Top10Count)
                              : int64_t(std::nearbyint(double(rangeRows) * double(s.Top10Count) / 100.0));
    n = std::min<int64_t>(n, rangeRows);
    // Numbers compared without a handler order by value alone: the n-th entry of the sorted
    // list is the n-th value, found without sorting them all.
    if (!m_d.q->OnSortCompareFunc) {
        std::vector<double> values;
        if (readNumbers(column.GetIndex(), values)) {
            b.Numeric = true;
            if (n < 1)
                return;
            auto nth = values.begin() + (n - 1);
            if (s.Top10First)
                std::nth_element(values.begin(), nth, values.end(), std::greater<double>());
            else
                std::nth_element(values.begin(), nth, values.end());
            b.Empty = false;
            b.Value = *nth;
            return;
        }
    }
    TSortList list;
    b.Numeric = GetSortData(column.GetIndex(), !s.Top10First, list);
    // Nothing to pass when the count comes out below 1 (a small percentage, an empty range).
    if (n < 1)
        return;
    const TSortItem &v = list[size_t(n - 1)];
    b.Empty = false;
    b.Text = v.Text;
    b.Value = v.Value;
}

bool RowFilter::readNumbers(int col, std::vector<double> &values)
{
    const RowRange range = RowRangeOf(m_d, m_d.misc.filterBeginRow, m_d.misc.filterEndRow, false);
    if (range.first <= range.last)
        values.reserve(size_t(range.last - range.first + 1));
    for (int r = range.first; r <= range.last; ++r) {
        const std::optional<double> v = SortNumber(DataCellText(m_d, r, col));
        if (!v)
            return false;
        values.push_back(*v);
    }
    return true;
}

void RowFilter::Run()
{
    TCustomQorGrid &g = *m_d.q;
    if (m_d.seams.dataOps->IsGrouped())
        return;
    bool canFilter = true;
    if (g.OnBeforeFilter)
        g.OnBeforeFilter(&g, canFilter);
    if (!canFilter)
        return;
    platform::BusyCursor busy;
    const RowRange range = RowRangeOf(m_d, m_d.misc.filterBeginRow, m_d.misc.filterEndRow, false);
    m_d.batch.Begin();
    std::vector<TQorColumn *> active;
    for (int c = 0; c < m_d.cols; ++c) {
        TQorColumn *column = m_d.column(c);
        if (column->GetFilterType() == ftAll)
            continue;
        active.push_back(column);
        if (column->GetFilterType() == ftTop10)
            prepareTop10(*column, std::max(range.last - range.first + 1, 0));
        if (column->GetFilterType() == ftCustom) {
            TFilterRun &run = column->FilterRun();
            run.CustomRead = true;
            run.Number1 = TextToFloat(column->DataState().Value1);
            run.Number2 = TextToFloat(column->DataState().Value2);
        }
    }
    bool changed = false;
    for (int r = range.first; r <= range.last; ++r) {
        if (m_d.rowInfo[size_t(r)].group2 != 0)
            continue; // group headers and footers stay as they are
        bool pass = true;
        for (TQorColumn *column : active) {
            if (!column->Filter(DataCellText(m_d, r, column->GetIndex()), column->FilterRun().Numeric)) {
                pass = false;
                break;
            }
        }
        if (m_d.rowAxis.Entry(r).visible != pass) {
            m_d.rowAxis.SetVisibleNoEdges(r, pass, m_d.layout.unitType);
            changed = true;
        }
    }
    if (changed) {
        m_d.rowAxis.Recalc(0);
        m_d.batch.MarkHeightsChanged();
    }
    // An outermost run shows its rows and brings the formulas (ranges skip hidden rows) up to
    // date at once; inside a caller's batch its end does both.
    if (m_d.batch.End()) {
        m_d.batch.TakeHeightsChanged();
        if (changed)
            m_d.layoutChanged();
        m_d.seams.formulas->UpdateFormulas();
    }
    // Before the event: its handler may change the columns.
    for (TQorColumn *column : active)
        column->FilterRun() = TFilterRun{};
    if (g.OnFiltered)
        g.OnFiltered(&g);
}

} // namespace qor
