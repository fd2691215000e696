#pragma once
// Inserting, appending, deleting and moving whole rows or columns while the cell store, the
// row and column records, merged areas and formula references stay consistent. One class for
// both directions: `vertical` means rows.
#include <functional>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;

class QOR_AUTOTEST_EXPORT RowColOps {
public:
    explicit RowColOps(GridPrivate &d) : m_d(d) {}

    // Count lines before line at (clamped to the existing ones), or after the last when
    // appending. False when refused or when nothing was inserted.
    bool Insert(int at, int count, bool vertical, bool append, bool noFrameReset);
    // Deletes count lines from at (as many as there are); a grid keeps at least one. False
    // when nothing was deleted.
    bool Delete(int at, bool vertical, int count = 1);
    // Moves lines from..from+count-1 so that the block starts at to (or as near the end as it
    // fits). False for invalid arguments; true, at once, when from == to.
    bool Move(int from, int count, int to, bool vertical);

private:
    bool refusedWhenGrouped(bool insert, bool vertical) const;
    void copyTemplate(int at, int count, int tmpl, bool vertical, const std::vector<bool> &inGrownArea);
    void resetFrames(int first, int last, bool vertical);
    void moveCurrent(int oldCols, const std::function<int(int)> &mapLine, bool vertical);

    GridPrivate &m_d;
};

} // namespace qor
