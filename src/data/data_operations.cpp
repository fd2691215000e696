// The data layer's answers to the core: title clicks sort, the title drop-down filters.
#include "data/data_operations_p.h"

#include <QActionGroup>
#include <QMenu>
#include "core/grid_p.h"
#include "data/filter_dialogs.h"
#include "data/group_columns.h"
#include "platform/modal.h"

namespace qor {

DataOperations::DataOperations(TCustomQorGrid &grid) : q(grid) {}

DataOperations &DataOperations::Install(TCustomQorGrid &grid)
{
    auto ops = std::make_unique<DataOperations>(grid);
    DataOperations &kept = *ops;
    GridPrivate::get(grid).seams.dataOps = std::move(ops);
    return kept;
}

DataOperations &DataOperations::Of(const TCustomQorGrid &grid)
{
    GridPrivate &d = GridPrivate::get(grid);
    if (DataOperations *ops = d.seams.dataOps->Operations())
        return *ops;
    return Install(*d.q);
}

void DataOperations::ResetFilter() { q.ResetFilter(); }

bool DataOperations::IsGrouped() const { return GridPrivate::get(q).misc.grouped && !grouping; }

void DataOperations::ReGroup() { q.ReGroup(); }

bool DataOperations::HidesCellText(int row, int col) const
{
    const GridPrivate &d = GridPrivate::get(q);
    if (!d.misc.grouped || row < d.misc.firstGroupedRow || row > d.misc.lastGroupedRow)
        return false;
    const RowInfo &info = d.rowInfo[size_t(row)];
    if (info.group2 == 1)
        return col > info.group3 - 1;   // under the header's caption
    // A data row leaves its group values to the headers above it.
    return info.group2 == 0 && col < d.cols && d.column(col)->DataState().Grouped;
}

bool DataOperations::CellPressed(int row, int col, QPoint p)
{
    const GridPrivate &d = GridPrivate::get(q);
    if (!IsGrouped() || row < d.misc.firstGroupedRow || row > d.misc.lastGroupedRow)
        return false;
    const RowInfo &info = d.rowInfo[size_t(row)];
    if (info.group2 != 1 || col != info.group3 - 1)
        return false;
    // The button sits in the header's left text margin.
    const QRect cell = q.CellRect(row, col);
    if (p.x() < cell.left() || p.x() >= cell.left() + 18)
        return false;
    q.ClickGroupHeader();
    return true;
}

void DataOperations::AssignRecordNumbers()
{
    if (recordNumbersAssigned)
        return;
    recordNumbersAssigned = true;
    GridPrivate &d = GridPrivate::get(q);
    const int first = d.layout.titleRows, last = d.rows - d.layout.footerRows - 1;
    for (int r = std::max(first, 0); r <= last; ++r)
        d.rowInfo[size_t(r)].group1 = r - first + 1;
}

void DataOperations::SetGroupedFalse()
{
    GridPrivate &d = GridPrivate::get(q);
    d.misc.grouped = false;
    for (int c = 0; c < d.cols; ++c) {
        d.column(c)->DataState().Grouped = false;
        d.column(c)->DataState().GroupTag = -1;
    }
}

QString DataOperations::GroupSpecOfColumns(int overrideCol, bool overrideAscending) const
{
    const GridPrivate &d = GridPrivate::get(q);
    std::vector<TGroupItem> items;
    for (int c = 0; c < d.cols && d.column(c)->DataState().Grouped; ++c) {
        const TColumnDataState &s = d.column(c)->DataState();
        items.push_back({c, c == overrideCol ? overrideAscending : s.GroupAscending, false});
    }
    // Documents do not keep the footer flags: the footer rows tell them (each group of a level
    // with footers ends with one).
    const int first = std::max(d.misc.firstGroupedRow, 0), last = std::min(d.misc.lastGroupedRow, d.rows - 1);
    for (int r = first; d.misc.grouped && r <= last; ++r) {
        const RowInfo &info = d.rowInfo[size_t(r)];
        if (info.group2 == 2 && info.group3 >= 1 && size_t(info.group3) <= items.size())
            items[size_t(info.group3 - 1)].Footer = true;
    }
    if (!d.misc.grouped)
        for (TGroupItem &item : items)
            item.Footer = d.column(item.Col)->DataState().GroupFooter;
    return GroupSpecText(items);
}

void DataOperations::TitleClicked(int col)
{
    if (!q.HasOption(qgoSorting) || !q.Columns(col))
        return;
    // The first sort ascends, the sorted column's title turns the direction, another keeps it.
    bool ascending = q.GetSortingColASC();
    if (q.GetSortingColIndex() == -1)
        ascending = true;
    else if (q.GetSortingColIndex() == col)
        ascending = !ascending;
    q.Sort(col, ascending);
}

void DataOperations::FilterButtonClicked(int col, const QRect &button)
{
    TQorColumn *column = q.Columns(col);
    if (!column || !q.HasOption(qgoShowFilter))
        return;
    static const char16_t *const captions[] = {u"(全部)", u"(前 10 个...)", u"(自定义...)", u"(空白)", u"(非空白)"};
    QMenu menu(&q);
    QActionGroup group(&menu);
    for (int t = ftAll; t <= ftNonBlanks; ++t) {
        QAction *a = menu.addAction(QString::fromUtf16(captions[t]));
        a->setCheckable(true);
        a->setChecked(column->GetFilterType() == t);
        a->setData(t);
        group.addAction(a);
    }
    QAction *chosen = platform::ExecMenu(menu, q.viewport()->mapToGlobal(button.bottomLeft()));
    // The menu's loop may have run anything, the grid's columns included.
    column = q.Columns(col);
    if (!chosen || !column)
        return;
    ClickMenu(*column, TFilterType(chosen->data().toInt()));
}

void DataOperations::ClickMenu(TQorColumn &column, TFilterType type)
{
    if (type == ftTop10) {
        TTop10FilterDialog dialog(column.DataState(), &q);
        if (platform::ExecDialog(dialog) != QDialog::Accepted)
            return;
        dialog.Store(column);
    } else if (type == ftCustom) {
        TCustomFilterDialog dialog(column.DataState(), &q);
        if (platform::ExecDialog(dialog) != QDialog::Accepted)
            return;
        dialog.Store(column);
    }
    column.SetFilterType(type);
    q.DoFilter();
}

} // namespace qor
