#pragma once
// The page-range text of the print dialog ("1,3,5-12"): which pages of a job it selects.
#include <QString>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

// Entry p (1 ... PageCount) tells whether page p is selected; an empty text selects every page.
// A range running backwards, and numbers past PageCount, select nothing. Raises EPrintError for
// an item that is not a whole number ("1,,3", "a-2", "-5").
QOR_EXPORT std::vector<bool> ParsePageRange(const QString &Text, int PageCount);

} // namespace qor
