#pragma once
// Sorting the rows of a grid's sort range by one column: whole rows and merged blocks move,
// with their row records, cells and the formulas that refer to them.
#include <vector>
#include "data/sort_item.h"
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;
class DataOperations;

class QOR_AUTOTEST_EXPORT RowSorter {
public:
    RowSorter(GridPrivate &d, DataOperations &ops) : m_d(d), m_ops(ops) {}
    bool Sort(int col, bool ascending);

    static constexpr const char *kMergeRefusal = "此操作需要合并单元格具有相同大小。";

private:
    // Merged areas that FindErrorMerge lets through but a move of k-row blocks would tear.
    bool blocksTear(int first, int last, int k) const;
    // Row first + i of the range takes old row source[i]. A bound grid's rows are records:
    // their record numbers (Group1) go with them; otherwise Group1 stays with the positions.
    void place(int first, const std::vector<int> &source);

    GridPrivate &m_d;
    DataOperations &m_ops;
};

} // namespace qor
