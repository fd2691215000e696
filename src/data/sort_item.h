#pragma once
// What the shared quicksort sorts: one item per row taking part.
#include <QString>
#include <vector>
#include "core/model/row_rec.h"

namespace qor {

// One key of a multi-key sort (grouping): its own text, number and direction.
struct TSortKey {
    QString Text;
    double Value = 0;
    bool Ascending = true;
};

struct TSortItem {
    std::vector<TSortKey> Keys;   // empty for a one-column sort: Text, Value and Ascending are the key
    QString Text;                 // the row's text in the sort column
    double Value = 0;             // the text as a number (0 for an empty text)
    bool Ascending = true;
    int Col = -1;
    int Row = -1;                 // the row's index before sorting
    TRowRec RowRec;               // its Group2 is the first key, ascending in both directions
};

using TSortList = std::vector<TSortItem>;

} // namespace qor
