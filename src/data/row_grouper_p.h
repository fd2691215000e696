#pragma once
// Group(spec, sortCol, ascending) and CancelGroup: the rows of the sort range sorted by the
// group columns, with a header row before every run of equal values, footer rows with their
// summaries after it and a grand total after the whole range, all placed by one permutation.
#include <QString>
#include <vector>
#include "core/grid.h"
#include "data/group_columns.h"
#include "data/sort_item.h"
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;
class DataOperations;
class TSortComparer;

class QOR_AUTOTEST_EXPORT RowGrouper {
public:
    RowGrouper(GridPrivate &d, DataOperations &ops) : m_d(d), m_ops(ops) {}
    void Group(const QString &spec, int sortCol, bool sortAscending);
    void CancelGroup();

private:
    enum SlotType { Data = 0, Header = 1, Footer = 2, GrandTotal = 3 };
    struct Slot {
        int type;
        int level;   // 1-based for headers and footers
        int item;    // the sorted item of a data row, or the first item of a header's group
    };
    struct FooterSums {
        int slot;
        int headerSlot;   // -1 for the grand total: the whole range
        std::vector<TFooterFormulaData> sums;   // one per summary column
    };

    // The whole earlier outline with its grand total, clamped to the rows.
    bool groupedRange(int &first, int &last) const;
    // Merged areas over several rows would be torn apart by moving single rows.
    bool rowMergesIn(int first, int last) const;
    // Moves the group columns to the front in order; the sort column's index follows. False
    // when an event handler changed the columns under the moves.
    bool moveGroupColumns(const std::vector<TGroupItem> &items, int &sortIndex);
    // A row of an earlier grouping, or a new one, made blank for reuse.
    void cleanGroupRow(int row);
    double cellNumber(int row, int col) const;
    void layOut(const TSortList &list, const TSortComparer &comparer, size_t levels, const std::vector<int> &sumCols);
    void writeHeader(int row, int level, const QString &text);

    GridPrivate &m_d;
    DataOperations &m_ops;
    std::vector<Slot> m_slots;
    std::vector<FooterSums> m_footers;
};

} // namespace qor
