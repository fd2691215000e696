#pragma once
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;

// Where a cell belongs: its grid, and the origin its stored row counts from. The cells in a
// grid's store share one whose origin moves when rows go in or out near the top, so that such
// a change renumbers only the few cells above; a cell outside a store has one whose origin
// stays 0.
struct CellHome {
    TCustomQorGrid *grid = nullptr;
    int rowOrigin = 0;
};

// The cell's link to its home, read as the grid it belongs to.
class CellGridLink {
public:
    explicit CellGridLink(const CellHome *home) : home(home) {}
    operator TCustomQorGrid *() const { return home->grid; }
    TCustomQorGrid *operator->() const { return home->grid; }
    TCustomQorGrid &operator*() const { return *home->grid; }
    const CellHome *home;
};

} // namespace qor
