#pragma once
// The grouping specification: items separated by ";", each "col[:order[:footer]]" with col a
// column index, order "ASC" or anything else for descending, footer "True" or anything else for
// none (words without regard to case); a missing order ascends, a missing footer is wanted.
#include <QString>
#include <optional>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

struct TGroupItem {
    int Col = -1;
    bool Ascending = true;
    bool Footer = true;
};

// Nothing for an empty specification, an item whose column is not one of the grid's Cols,
// or a column named twice.
QOR_AUTOTEST_EXPORT std::optional<std::vector<TGroupItem>> ParseGroupSpec(const QString &Spec, int Cols);
QOR_AUTOTEST_EXPORT QString GroupSpecText(const std::vector<TGroupItem> &Items);

} // namespace qor
