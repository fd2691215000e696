#pragma once
// Automatic row heights.
#include <QString>
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;

class QOR_AUTOTEST_EXPORT AutoHeight {
public:
    explicit AutoHeight(GridPrivate &d) : m_d(d) {}
    // Height the cell needs for text in its width (an owner: its whole area, less the other
    // rows of the area), at least the default row height.
    int CellHeight(int row, int col, const QString &text) const;
    // Sets each visible row of first..last to the largest height its measured cells need
    // (cells covered by a merge and cells without AutoHeight are not measured); with onlyCol,
    // only rows where that column's cell is measured.
    void Rows(int first, int last, int onlyCol = -1);

private:
    bool measured(int row, int col) const;

    GridPrivate &m_d;
};

} // namespace qor
