// Reading a grid stream into a grid. The stream is taken apart and checked first; should a
// record still fail while it is applied, the grid is put back from a snapshot taken before,
// so a refused stream never leaves a half-loaded grid.
#include <QStringList>
#include <cmath>
#include <cstring>
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "io/cell_record.h"
#include "io/cell_record_apply_p.h"
#include "io/column_record.h"
#include "io/grid_stream.h"
#include "io/stream_version.h"
#include "platform/message_box.h"

namespace qor {

namespace {

constexpr TColor kOldFocusColor = 13284009;

// Sizes of one row or column as stored; the edges are recomputed once after the last one,
// which keeps loading linear in the number of rows.
void applySize(Axis &axis, int index, const TRowRec &r)
{
    if (r.Visible)
        axis.SetStoredSize(index, true, std::max(r.Height, 0));
    else
        axis.SetStoredSize(index, false, std::max(r.SavedHeight, 0));
}

void applyRows(GridPrivate &d, const ParsedGridStream &s)
{
    if (s.Version >= 5)
        d.loadRowList.assign(size_t(d.rows), 0);
    for (const StoredRowRecord &row : s.Rows) {
        applySize(d.rowAxis, row.Index, row.Rec);
        if (row.Size >= 36)
            d.rowInfo[size_t(row.Index)] = RowInfo{row.Rec.Group1, row.Rec.Group2, row.Rec.Group3, row.Rec.State,
                                                   row.Rec.Group4};
        if (!d.loadRowList.empty())
            d.loadRowList[size_t(row.Index)] = 1;
    }
    d.rowAxis.Recalc(0);
}

void applyColumns(TCustomQorGrid &grid, GridPrivate &d, const ParsedGridStream &s)
{
    for (const StoredRowRecord &col : s.LegacyCols)
        applySize(d.colAxis, col.Index, col.Rec);
    d.colAxis.Recalc(0);
    for (size_t c = 0; c < s.ColumnRecords.size(); ++c) {
        ByteReader in(s.Body);
        in.seek(s.ColumnRecords[c]);
        LoadColumnFromStream(in, *d.column(int(c)), s.Version);
    }
}

uint32_t upgradeOptions(uint32_t bits, int version)
{
    TQorGridOptions o(bits);
    if (version < 8)
        o = o.With(qgoAutoCalFormula);
    if (version < 10)
        o = o.With(qgoAutoSelectRow).With(qgoAutoSelectCol);
    if (version < 11)
        o = o.With(qgoShowHintSymbol);
    if (version < 12)
        o = o.With(qgoShowSizeInfo);
    if (version < 13)
        o = o.With(qgoAutoNextRowCol);
    return o.Bits();
}

TQorFont toFont(const TFontRecord &r, bool renameOldFace)
{
    TQorFont f;
    TFontRecord rec = r;
    if (renameOldFace && rec.name == QLatin1String("MS Sans Serif"))
        rec.name = QStringLiteral("Arial");
    rec.ApplyTo(f.Font);
    f.Color = rec.color;
    f.Charset = rec.charset;
    return f;
}

void applySettings(TCustomQorGrid &grid, GridPrivate &d, const GridSettings &s, int version)
{
    grid.SetGridType(s.GridType);
    grid.SetColor(s.Color);
    grid.SetFixRowCount(s.FixRowCount);
    grid.SetFixColCount(s.FixColCount);
    grid.SetLeftMargin(s.Margins[0]);
    grid.SetTopMargin(s.Margins[1]);
    grid.SetRightMargin(s.Margins[2]);
    grid.SetBottomMargin(s.Margins[3]);
    grid.SetBackColor(s.BackColor);
    grid.SetLineColor(s.LineColor);
    grid.SetLeftSpace(s.Spaces[0]);
    grid.SetTopSpace(s.Spaces[1]);
    grid.SetRightSpace(s.Spaces[2]);
    grid.SetBottomSpace(s.Spaces[3]);
    grid.SetShadowColor(s.ShadowColor);
    grid.SetOptions(TQorGridOptions(upgradeOptions(s.Options, version)));
    TQorStrings titles;
    if (!s.ColumnTitles.isEmpty())
        titles = TQorStrings(s.ColumnTitles.split(QStringLiteral("\r\n")));
    grid.SetColumnTitles(titles);
    // The columns carry their own title alignment and font: the grid-wide values are only
    // stored, or the columns' own would depend on what the grid held before the load.
    if (s.ColumnTitleAlign <= taCenter)
        d.look.columnTitleAlign = TAlignment(s.ColumnTitleAlign);
    d.look.columnTitleFont = toFont(s.ColumnTitleFont, false);
    grid.SetSortBeginRow(s.SortBeginRow);
    grid.SetSortEndRow(s.SortEndRow);
    d.misc.sortingColIndex = s.SortingColIndex;
    d.misc.sortingColAsc = s.SortingColASC;
    grid.SetFont(toFont(s.Font, true));
    grid.SetFooterRows(s.FooterRows);
    grid.SetTitleRows(s.TitleRows);
    grid.SetDefaultRowHeight(s.DefaultRowHeight);
    grid.SetDefaultColWidth(s.DefaultColWidth);
    grid.SetRTFLineSpace(std::isfinite(s.RTFLineSpace) ? int(std::clamp(s.RTFLineSpace, -1e9, 1e9)) : 0);
    d.misc.showGroupFooter = s.ShowGroupFooter;   // the setter would regroup
    // A grouped range the rows cannot hold (a stream saved without its body rows, or a hostile
    // one) is no outline: the flag goes, the stored numbers stay for the next save.
    d.misc.firstGroupedRow = s.FirstGroupedRow;
    d.misc.lastGroupedRow = s.LastGroupedRow;
    d.misc.grouped = s.Grouped && s.FirstGroupedRow >= 0 && s.FirstGroupedRow <= s.LastGroupedRow &&
                     s.LastGroupedRow < d.rows;
    grid.SetAutoShowBlobField(s.AutoShowBlobField);
    grid.SetBackGround(PictureFromFileImage(s.BackGround));
    grid.SetIncludeHiddenData(s.IncludeHiddenData);
    grid.SetCurrencySymbol(s.CurrencySymbol);
    grid.SetCurrencyCellWidth(s.CurrencyCellWidth);
    grid.SetCurrencyDigits(s.CurrencyDigits);
    grid.SetCurrencyDecimalSeparatorColor(s.CurrencyDecimalSeparatorColor);
    grid.SetCurrencyThousandSeparatorColor(s.CurrencyThousandSeparatorColor);
    grid.SetTitleColor(s.TitleColor);
    grid.SetTitleHeight(s.TitleHeight);
    grid.SetTitleWidth(s.TitleWidth);
    grid.SetCurrencySeparatorColor(s.CurrencySeparatorColor);
    grid.SetTileBackGround(s.TileBackGround);
    grid.SetFocusColor(version <= 13 && s.FocusColor == kOldFocusColor ? clHighlight : s.FocusColor);
    grid.SetLockBackGround(s.LockBackGround);
    grid.SetHorzScrollTracking(s.HorzScrollTracking);
    grid.SetVertScrollTracking(s.VertScrollTracking);
    if (s.MoveDirEnter <= mdBottom)
        grid.SetMoveDirEnter(TMoveDirectory(s.MoveDirEnter));
    grid.SetTitleLineColor(s.TitleLineColor);
    grid.SetUnitType(TUnitType(s.UnitType));
    grid.SetShowHint(s.ShowHint);
    d.paint.showPageLines = s.ShowPagesLine;
    d.extras = s.Extras;

    // Physical sizes follow the pixel sizes in the grid's unit; stored physical margins win
    // from version 12 on, and the pixel margins are taken from them.
    GridLayout &l = d.layout;
    d.rowAxis.ConvertUnit(l.unitType);
    d.colAxis.ConvertUnit(l.unitType);
    for (int i = 0; i < 4; ++i) {
        if (version >= 12 && s.HasPhyMargins && l.gridType == gtInvoice && std::isfinite(s.PhyMargins[i]) &&
            s.PhyMargins[i] >= 0 && s.PhyMargins[i] < 1e6) {
            l.phyMargins[i] = s.PhyMargins[i];
            if (l.unitType != utPixel)
                l.margins[i] = UnitToPixels(s.PhyMargins[i], l.unitType);
        } else {
            l.phyMargins[i] = PixelsToUnit(l.margins[i], l.unitType);
        }
    }
}

// In millimetres and inches the stored physical row heights are the masters.
void applyPhysicalRows(GridPrivate &d, const ParsedGridStream &s)
{
    if (d.layout.unitType == utPixel)
        return;
    for (const StoredRowRecord &row : s.Rows) {
        // A physical height far from its pixel height is damage: the pixel height stands.
        const double derived = PixelsToUnit(d.rowAxis.Entry(row.Index).savedSize, d.layout.unitType);
        if (row.Size < 56 || !std::isfinite(row.Rec.SavedPhyHeight) || std::fabs(row.Rec.SavedPhyHeight - derived) > 1 + derived)
            continue;
        d.rowAxis.SetStoredPhySize(row.Index, row.Rec.SavedPhyHeight);
    }
}

// Column records carry their own sizes: the same bounds hold for them as for rows.
void checkAxis(Axis &axis, TUnitType unit)
{
    constexpr int kMaxPixels = 1000000;
    for (int i = 0; i < axis.Count(); ++i) {
        const AxisEntry &e = axis.Entry(i);
        if (e.savedSize < 0 || e.savedSize > kMaxPixels)
            throw StreamFormatError("row or column size out of range");
        const double derived = PixelsToUnit(e.savedSize, unit);
        if (!std::isfinite(e.savedPhySize) || std::fabs(e.savedPhySize - derived) > 1 + derived)
            axis.SetStoredPhySize(i, derived);
    }
}

void applyObjects(TCustomQorGrid &grid, GridPrivate &d, const ParsedGridStream &s)
{
    const GridStreamHooks &hooks = GetGridStreamHooks();
    CellRecordInstaller cells;
    for (const StoredObjectRecord &o : s.Objects) {
        ByteReader record(s.Body.constData() + o.Offset, o.Length);
        if (o.IsCell()) {
            TCellInfo *cell = grid.Cells(o.Index / d.cols, o.Index % d.cols);
            cells.Load(record, *cell, s.Version);
        } else if (std::memcmp(o.Tag, "PrnD", 4) == 0) {
            if (hooks.LoadPrintSettings)
                hooks.LoadPrintSettings(grid, record, s.Version);
        } else if (std::memcmp(o.Tag, "OleD", 4) == 0 || std::memcmp(o.Tag, "ChtD", 4) == 0) {
            if (hooks.LoadEmbedded)
                hooks.LoadEmbedded(grid, o, record, s.Version);
        }
    }
}

// Ends the load's update bracket and loading state however the load ends.
class LoadBracket {
public:
    explicit LoadBracket(TCustomQorGrid &grid) : m_grid(grid)
    {
        m_grid.BeginUpdate();
        m_grid.SetLoading(true);
    }
    ~LoadBracket()
    {
        m_grid.SetLoading(false);
        m_grid.EndUpdate();
    }

private:
    TCustomQorGrid &m_grid;
};

void applyAll(TCustomQorGrid &grid, const ParsedGridStream &s)
{
    GridPrivate &d = GridPrivate::get(grid);
    StreamVersionScope version(s.Version);
    {
        LoadBracket bracket(grid);
        grid.Clear();
        d.names.ClearCells();
        d.names.ClearColumns();
        d.layout.titleRows = d.layout.footerRows = 0;
        if (!grid.InternalSetCols(s.ColCount) || !grid.InternalSetRows(s.RowCount))
            throw StreamFormatError("the grid cannot hold the stream's size");
        applyRows(d, s);
        applyColumns(grid, d, s);
        applySettings(grid, d, s.Settings, s.Version);
        applyPhysicalRows(d, s);
        checkAxis(d.rowAxis, d.layout.unitType);
        checkAxis(d.colAxis, d.layout.unitType);
        if (s.Version == 4)
            for (int c = 0; c < d.cols; ++c)
                d.column(c)->SetDefault();
        applyObjects(grid, d, s);
        d.merges->CalMergeCell();
    }
    if (grid.OnLeftTopChange)
        grid.OnLeftTopChange(&grid);
}

void refuse(TCustomQorGrid &grid, const QString &text)
{
    platform::MessageBox(&grid, text, QStringLiteral("提示"), platform::MB_OK | platform::MB_ICONINFORMATION);
}

} // namespace

void ApplyGridStream(TCustomQorGrid &grid, const ParsedGridStream &stream)
{
    const QByteArray snapshot = SaveGridSnapshot(grid);
    try {
        applyAll(grid, stream);
    } catch (const std::exception &) {
        applyAll(grid, ParseGridStream(snapshot));
        throw StreamFormatError("a record of the stream could not be read");
    }
}

bool LoadGridFromBytes(TCustomQorGrid &grid, const QByteArray &stored)
{
    if (GridPrivate::get(grid).seams.binding->ControlsRowCount()) {
        refuse(grid, QStringLiteral("连接数据库时不可以加载数据。"));
        return false;
    }
    try {
        ApplyGridStream(grid, ParseGridStream(stored));
        return true;
    } catch (const std::exception &) {
        refuse(grid, InvalidDataFormatText());
        return false;
    }
}

} // namespace qor
