// Style resolution for painting and printing.
#include "core/grid.h"

#include "core/grid_p.h"
#include "core/model/style_resolver_p.h"

namespace qor {

TCellData &TCustomQorGrid::ScratchCellData() { return d->cellData[0]; }

TColor TCustomQorGrid::GetCellDrawColor(TCellInfo *Cell)
{
    if (!Cell)
        return GetBrushColor();
    const int row = Cell->GetRow();
    const int col = Cell->GetCol();
    TColor color = Cell->GetBackColor();
    if (OnDrawCellColor && (row < 0 || row >= d->rows || d->rowInfo[size_t(row)].group2 == 0))
        OnDrawCellColor(this, row, col, color);
    if (OnGetCellData) {
        TCellData &data = d->cellData[0];
        data.Init();
        OnGetCellData(this, row, col, data);
        if (data.TestSet(TCellData::cdBackColor))
            color = data.GetBackColor();
    }
    return color;
}

TColor TCustomQorGrid::GetCellDrawColor(int Row, int Col)
{
    return GetCellDrawColor(d->cells.At(Row, Col));
}

namespace {

constexpr int kLineFlag[4] = {TCellData::cdLeftLine, TCellData::cdTopLine, TCellData::cdRightLine,
                              TCellData::cdBottomLine};
constexpr int kFrameFlag[4] = {TCellData::cdLeftFrame, TCellData::cdTopFrame, TCellData::cdRightFrame,
                               TCellData::cdBottomFrame};
constexpr int kWidthFlag[4] = {TCellData::cdLeftFrameWidth, TCellData::cdTopFrameWidth,
                               TCellData::cdRightFrameWidth, TCellData::cdBottomFrameWidth};
constexpr int kColorFlag[4] = {TCellData::cdLeftFrameColor, TCellData::cdTopFrameColor,
                               TCellData::cdRightFrameColor, TCellData::cdBottomFrameColor};
constexpr int kStyleFlag[4] = {TCellData::cdLeftFrameStyle, TCellData::cdTopFrameStyle,
                               TCellData::cdRightFrameStyle, TCellData::cdBottomFrameStyle};

bool dataLine(const TCellData &data, TCellEdge e)
{
    switch (e) {
    case ceLeft: return data.GetLeftLine();
    case ceTop: return data.GetTopLine();
    case ceRight: return data.GetRightLine();
    case ceBottom: return data.GetBottomLine();
    }
    return true;
}

bool dataFrame(const TCellData &data, TCellEdge e)
{
    switch (e) {
    case ceLeft: return data.GetLeftFrame();
    case ceTop: return data.GetTopFrame();
    case ceRight: return data.GetRightFrame();
    case ceBottom: return data.GetBottomFrame();
    }
    return false;
}

int dataFrameWidth(const TCellData &data, TCellEdge e)
{
    switch (e) {
    case ceLeft: return data.GetLeftFrameWidth();
    case ceTop: return data.GetTopFrameWidth();
    case ceRight: return data.GetRightFrameWidth();
    case ceBottom: return data.GetBottomFrameWidth();
    }
    return 1;
}

TColor dataFrameColor(const TCellData &data, TCellEdge e)
{
    switch (e) {
    case ceLeft: return data.GetLeftFrameColor();
    case ceTop: return data.GetTopFrameColor();
    case ceRight: return data.GetRightFrameColor();
    case ceBottom: return data.GetBottomFrameColor();
    }
    return clBlack;
}

TPenStyle dataFrameStyle(const TCellData &data, TCellEdge e)
{
    switch (e) {
    case ceLeft: return data.GetLeftFrameStyle();
    case ceTop: return data.GetTopFrameStyle();
    case ceRight: return data.GetRightFrameStyle();
    case ceBottom: return data.GetBottomFrameStyle();
    }
    return psSolid;
}

bool resolveLine(TCustomQorGrid &g, int row, int col, TCellEdge e, TCellData *cd)
{
    return ResolveCellAttribute(
        g, row, col, cd, kLineFlag[e], [e](const TCellData &x) { return dataLine(x, e); },
        [e](const TCellInfo &c) { return c.GetLine(e); }, [] { return true; });
}

bool resolveFrame(TCustomQorGrid &g, int row, int col, TCellEdge e, TCellData *cd)
{
    return ResolveCellAttribute(
        g, row, col, cd, kFrameFlag[e], [e](const TCellData &x) { return dataFrame(x, e); },
        [e](const TCellInfo &c) { return c.GetFrame(e); }, [] { return false; });
}

int resolveFrameWidth(TCustomQorGrid &g, int row, int col, TCellEdge e, TCellData *cd)
{
    return ResolveCellAttribute(
        g, row, col, cd, kWidthFlag[e], [e](const TCellData &x) { return dataFrameWidth(x, e); },
        [e](const TCellInfo &c) { return c.GetFrameWidth(e); }, [] { return 1; });
}

} // namespace

bool TCustomQorGrid::CellLeftFrame(int Row, int Col, TCellData *CellData) { return resolveFrame(*this, Row, Col, ceLeft, CellData); }
bool TCustomQorGrid::CellTopFrame(int Row, int Col, TCellData *CellData) { return resolveFrame(*this, Row, Col, ceTop, CellData); }
bool TCustomQorGrid::CellRightFrame(int Row, int Col, TCellData *CellData) { return resolveFrame(*this, Row, Col, ceRight, CellData); }
bool TCustomQorGrid::CellBottomFrame(int Row, int Col, TCellData *CellData) { return resolveFrame(*this, Row, Col, ceBottom, CellData); }
int TCustomQorGrid::CellLeftFrameWidth(int Row, int Col, TCellData *CellData) { return resolveFrameWidth(*this, Row, Col, ceLeft, CellData); }
int TCustomQorGrid::CellTopFrameWidth(int Row, int Col, TCellData *CellData) { return resolveFrameWidth(*this, Row, Col, ceTop, CellData); }
int TCustomQorGrid::CellRightFrameWidth(int Row, int Col, TCellData *CellData) { return resolveFrameWidth(*this, Row, Col, ceRight, CellData); }
int TCustomQorGrid::CellBottomFrameWidth(int Row, int Col, TCellData *CellData) { return resolveFrameWidth(*this, Row, Col, ceBottom, CellData); }
bool TCustomQorGrid::CellLeftLine(int Row, int Col, TCellData *CellData) { return resolveLine(*this, Row, Col, ceLeft, CellData); }
bool TCustomQorGrid::CellTopLine(int Row, int Col, TCellData *CellData) { return resolveLine(*this, Row, Col, ceTop, CellData); }
bool TCustomQorGrid::CellRightLine(int Row, int Col, TCellData *CellData) { return resolveLine(*this, Row, Col, ceRight, CellData); }
bool TCustomQorGrid::CellBottomLine(int Row, int Col, TCellData *CellData) { return resolveLine(*this, Row, Col, ceBottom, CellData); }

TColor TCustomQorGrid::CellFrameColor(int Row, int Col, TCellEdge Edge, TCellData *CellData)
{
    return ResolveCellAttribute(
        *this, Row, Col, CellData, kColorFlag[Edge], [Edge](const TCellData &x) { return dataFrameColor(x, Edge); },
        [Edge](const TCellInfo &c) { return c.GetFrameColor(Edge); }, [] { return clBlack; });
}

TPenStyle TCustomQorGrid::CellFrameStyle(int Row, int Col, TCellEdge Edge, TCellData *CellData)
{
    return ResolveCellAttribute(
        *this, Row, Col, CellData, kStyleFlag[Edge], [Edge](const TCellData &x) { return dataFrameStyle(x, Edge); },
        [Edge](const TCellInfo &c) { return c.GetFrameStyle(Edge); }, [] { return psSolid; });
}

} // namespace qor
