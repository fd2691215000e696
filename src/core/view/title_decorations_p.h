#pragma once
// What a column title shows besides its caption: the filter drop-down button at its right
// edge (qgoShowFilter) and the sort direction picture left of it.
#include <QRect>
#include "platform/qor_global.h"

class QPainter;

namespace qor {

class TCustomQorGrid;

// The button inside a title cell's rectangle (its right and bottom lines excluded).
QOR_AUTOTEST_EXPORT QRect FilterButtonIn(const QRect &titleCell);
// The width taken from the right of the caption's room.
int TitleDecorationWidth(const TCustomQorGrid &grid, int col, const QRect &titleCell);
// Drawn over a title cell already filled and captioned.
void DrawTitleDecorations(QPainter &canvas, const TCustomQorGrid &grid, int col, const QRect &titleCell);

} // namespace qor
