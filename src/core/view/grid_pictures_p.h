#pragma once
// The grid's own small pictures, by resource name: "SortUp", "SortDown" (the sort direction
// in a column title), "GroupClose", "GroupExpand" (a group header's button). Drawn once, on
// first use; an unknown name gives a null image.
#include <QImage>
#include "platform/qor_global.h"

namespace qor {

QOR_AUTOTEST_EXPORT QImage GridPicture(const char *name);

} // namespace qor
