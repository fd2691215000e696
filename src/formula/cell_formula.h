#pragma once
// Cell formulas outside the grid class.
#include <QString>
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;

// The formula with every row number shifted by Delta (a row that ends up before the first
// leaves an empty label); quoted texts and the keyword "Above" stay. Other texts unchanged.
QOR_EXPORT QString IncFormulaRow(TCustomQorGrid *Grid, const QString &Formula, int Delta);

} // namespace qor
