#pragma once
// Applying the columns' filters to the filter range: rows that fail any of them are hidden,
// the others shown at their saved heights.
#include <vector>
#include "data/sort_item.h"
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;
class TQorColumn;

class QOR_AUTOTEST_EXPORT RowFilter {
public:
    explicit RowFilter(GridPrivate &d) : m_d(d) {}
    void Run();
    // One item per row of the filter range, sorted; true when every text is a number or empty.
    bool GetSortData(int col, bool ascending, TSortList &list);

private:
    // The deciding entry of a top-10 column's list for this run.
    void prepareTop10(TQorColumn &column, int rangeRows);
    // The column's texts in the range as numbers; false at the first that is not one.
    bool readNumbers(int col, std::vector<double> &values);

    GridPrivate &m_d;
};

} // namespace qor
