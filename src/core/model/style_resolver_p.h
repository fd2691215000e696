#pragma once
// Resolution of one attribute of a cell: the OnGetCellData override, then the cell (its record,
// else its column), then the column or the fixed default when there is no cell.
#include "core/model/cell.h"
#include "core/model/cell_data.h"
#include "core/grid.h"
#include "core/grid_p.h"

namespace qor {

template <class FromData, class FromCell, class Fallback>
auto ResolveCellAttribute(TCustomQorGrid &grid, int row, int col, TCellData *cellData, int flag, FromData fromData,
                          FromCell fromCell, Fallback fallback) -> decltype(fallback())
{
    GridPrivate &d = GridPrivate::get(grid);
    if (grid.OnGetCellData) {
        TCellData &data = cellData ? *cellData : d.cellData[0];
        data.Init();
        grid.OnGetCellData(&grid, row, col, data);
        if (data.TestSet(flag))
            return fromData(data);
    }
    if (const TCellInfo *cell = d.cells.At(row, col))
        return fromCell(*cell);
    return fallback();
}

} // namespace qor
