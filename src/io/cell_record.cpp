// Cells to records and back.
#include "io/cell_record.h"

#include <QBuffer>
#include <QLoggingCategory>
#include <algorithm>

#include "core/model/axis_p.h"
#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "formula/engine/exp_value.h"
#include "io/cell_record_apply_p.h"
#include "io/cell_record_p.h"
#include "io/picture_kind.h"
#include "io/stream_version.h"

namespace qor {

Q_LOGGING_CATEGORY(lcRecords, "qor.io.records")

QByteArray PictureImageBytes(const TQorPicture &picture)
{
    if (!picture.Data.isEmpty())
        return picture.Data;
    if (picture.Image.isNull() || picture.Image.width() == 0 || picture.Image.height() == 0)
        return QByteArray();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.Image.save(&buffer, "BMP");
    return bytes;
}

TQorPicture PictureFromImageBytes(const QByteArray &bytes, QString *problem)
{
    TQorPicture picture;
    picture.Data = bytes;
    DecodedPicture decoded = DecodePicture(bytes);
    picture.Image = std::move(decoded.image);
    if (picture.Image.isNull() && problem)
        *problem = decoded.error;
    return picture;
}

namespace {

// The attribute table's attributes, which a cell and a column both answer.
template <class Source>
void fillStyle(CellRecord &r, const Source &s)
{
#define QOR_FILL_STYLE(Type, Name, Default, Bits) r.style.Name = ToStorage(s.Get##Name());
    QOR_STYLE_ATTRIBUTES(QOR_FILL_STYLE)
#undef QOR_FILL_STYLE
}

void fillFont(CellRecord &r, const TQorFont *own, const TQorFont &gridFont)
{
    const TQorFont &f = own ? *own : gridFont;
    r.font = TFontRecord::FromFont(f.Font, f.Color, f.Charset);
    if (!own)
        r.font.name.clear();
}

void fillPosition(CellRecord &r, const TCustomQorGrid &grid, int row, int col)
{
    r.colWidth = grid.GetColWidth(col);
    r.rowHeight = grid.GetRowHeight(row);
    const GridPrivate &d = GridPrivate::get(grid);
    r.phyColWidth = d.colAxis.Valid(col) ? d.colAxis.Entry(col).savedPhySize : 0;
    r.phyRowHeight = d.rowAxis.Valid(row) ? d.rowAxis.Entry(row).savedPhySize : 0;
}

// The text a position shows: an empty one is asked of OnGetText.
QString computedText(const TCustomQorGrid &grid, int row, int col, QString text)
{
    if (text.isEmpty() && grid.OnGetText)
        grid.OnGetText(const_cast<TCustomQorGrid *>(&grid), row, col, text);
    return text;
}

// The stored result as a number: a text that reads as one, else 0.
double formulaNumber(const ExpValue &value)
{
    if (!value.IsText())
        return value.AsDouble();
    double number = 0;
    return exp::ParseNumber(value.ToQString().toStdString(), number) ? number : 0;
}

CellRecord recordOfCell(const TCellInfo &cell)
{
    CellRecord r;
    const TCustomQorGrid &grid = *cell.GetGrid();
    const int row = cell.GetRow();
    const int col = cell.GetCol();
    r.ownRec = cell.GetRec() != nullptr;
    r.text = computedText(grid, row, col, cell.GetText());
    r.leftText = cell.GetLeftText();
    r.rightText = cell.GetRightText();
    r.name = cell.GetName();
    fillStyle(r, cell);
    if (const TQorStrings *items = cell.PeekItems())
        r.items = JoinItemLines(items->Items());
    if (const TQorPicture *picture = cell.PeekGraphic())
        r.graphic = PictureImageBytes(*picture);
    fillFont(r, cell.PeekFont(), grid.GetFont());
    r.rows = cell.GetRows();
    r.cols = cell.GetCols();
    r.checked = cell.GetChecked();
    r.topLine = cell.GetTopLine();
    r.leftLine = cell.GetLeftLine();
    r.rightLine = cell.GetRightLine();
    r.bottomLine = cell.GetBottomLine();
    for (int e = 0; e < 4; ++e) {
        r.frames[e] = cell.GetFrame(TCellEdge(e));
        r.frameWidths[e] = cell.GetFrameWidth(TCellEdge(e));
        r.frameStyles[e] = cell.GetFrameStyle(TCellEdge(e));
    }
    r.frameColors[0] = cell.GetLeftFrameColor();
    r.frameColors[1] = cell.GetRightFrameColor();
    r.frameColors[2] = cell.GetTopFrameColor();
    r.frameColors[3] = cell.GetBottomFrameColor();
    fillPosition(r, grid, row, col);
    r.ctl3D = cell.GetCtl3D();
    r.formulaValue = formulaNumber(cell.GetFormulaValue());
    r.itemIndex = cell.GetItemIndex();
    r.richText = cell.GetRichText();
    r.isNumber = cell.HasNumberCache() && cell.GetIsNumber();
    r.fieldName = cell.GetFieldName();
    r.tabNextRow = cell.GetTabNextRow();
    r.tabNextCol = cell.GetTabNextCol();
    return r;
}

CellRecord recordOfPosition(const TCustomQorGrid &grid, int row, int col)
{
    CellRecord r;
    r.ownRec = true;
    r.text = computedText(grid, row, col, grid.GetCellText(row, col));
    if (const TQorColumn *column = grid.Columns(col))
        fillStyle(r, *column);
    // A position stores no tag: its column's is in the column record.
    r.style.Tag.clear();
    r.style.Alignment = grid.GetDefaultAlignment(row, col);
    r.style.CellType = grid.GetDefaultCellType(row, col);
    fillFont(r, nullptr, grid.GetFont());
    const TCellRec fresh;
    r.frameColors[0] = r.frameColors[1] = r.frameColors[2] = r.frameColors[3] = fresh.FrameColor[0];
    for (int e = 0; e < 4; ++e) {
        r.frameWidths[e] = fresh.FrameWidth[e];
        r.frameStyles[e] = fresh.FrameStyle[e];
    }
    fillPosition(r, grid, row, col);
    return r;
}

void applySizes(TCellInfo &cell, const CellRecord &r)
{
    TCustomQorGrid &grid = *cell.GetGrid();
    const int row = cell.GetRow();
    const int col = cell.GetCol();
    if (r.has(66) && grid.GetColWidth(col) != r.colWidth)
        grid.SetColWidth(col, r.colWidth);
    if (r.has(67) && grid.GetRowHeight(row) != r.rowHeight)
        grid.SetRowHeight(row, r.rowHeight);
}

void applyPhysicalSizes(TCellInfo &cell, const CellRecord &r)
{
    TCustomQorGrid &grid = *cell.GetGrid();
    const TUnitType unit = grid.GetUnitType();
    if (unit == utPixel)
        return;
    if (r.has(97))
        grid.SetColWidth(cell.GetCol(), UnitToPixels(r.phyColWidth, unit));
    if (r.has(98))
        grid.SetRowHeight(cell.GetRow(), UnitToPixels(r.phyRowHeight, unit));
}

// The attribute table's attributes the record has, but those set with the texts. Their order
// does not matter: each setter compares with what the cell answers, and a record of its own,
// filled from its column, does not change that.
void applyStyle(TCellInfo &cell, const CellRecord &r)
{
#define QOR_APPLY_STYLE(Type, Name, Default, Bits)                                                                     \
    if constexpr (!setWithTexts(#Name))                                                                                \
        if (r.style.has(StyleAttr::Name))                                                                              \
            cell.Set##Name(static_cast<Type>(r.style.Name));
    QOR_STYLE_ATTRIBUTES(QOR_APPLY_STYLE)
#undef QOR_APPLY_STYLE
}

// Fields 2 to 64, the part every record has, and the attributes of the tail.
QString applyHead(TCellInfo &cell, const CellRecord &r, int version)
{
    ApplyCellTexts(cell, r);
    if (!r.name.isEmpty() || cell.GetRec())
        cell.SetName(r.name);
    if (!r.style.Tag.isEmpty() || cell.GetRec())
        cell.SetTag(r.style.Tag);
    if (!r.style.Mask.isEmpty() || cell.GetRec())
        cell.SetMask(r.style.Mask);
    QString problem = ApplyCellOwned(cell, r, version, nullptr);
    applyStyle(cell, r);
    const auto [rows, cols] = ClampedMergeExtent(cell, r);
    // The merge table gives every cell it is asked about a record: ask only for a change.
    if (rows != cell.GetRows())
        cell.SetRows(rows);
    if (cols != cell.GetCols())
        cell.SetCols(cols);
    cell.SetChecked(r.checked);
    // The edges touch only their own fields and the neighbours': their place among the other
    // setters does not matter.
    ApplyCellEdges(cell, r);
    return problem;
}

// The cell's own fields from 65 on, as far as the record has them.
void applyTail(TCellInfo &cell, const CellRecord &r, CellLoadOptions options)
{
    if (options.ApplySizes)
        applySizes(cell, r);
    if (r.has(79)) {
        const TColor back = cell.GetBackColor();
        cell.SetCtl3D(r.ctl3D);
        if (options.BulkReader)
            cell.SetBackColor(back);
    }
    if (r.has(82))
        cell.SetItemIndex(r.itemIndex);
    if (r.has(84))
        cell.SetRichText(r.richText);
    // A result of 0 is what every cell without a formula stores: giving such a cell a record
    // would turn a "Cel_" record into a "Cell" one on the next save. The stored result stands
    // until the formula layer computes it again (it does not when automatic calculation is off).
    if (r.has(85) && r.formulaValue != 0) {
        cell.CheckNil();
        cell.SetFormulaValue(ExpValue(r.formulaValue));
    }
    if (r.has(87))
        cell.SetIsNumber(r.isNumber);
    if (r.has(90))
        cell.SetFieldName(r.fieldName);
    if (options.ApplySizes)
        applyPhysicalSizes(cell, r);
    if (r.has(99))
        cell.SetTabNextRow(r.tabNextRow);
    if (r.has(100))
        cell.SetTabNextCol(r.tabNextCol);
    if (options.BulkReader && options.ApplySizes && r.endedEarly)
        applySizes(cell, r);
}

} // namespace

void ApplyCellTexts(TCellInfo &cell, const CellRecord &r)
{
    cell.SetText(r.text);
    const bool hadRec = cell.GetRec() != nullptr;
    if (!r.leftText.isEmpty() || hadRec)
        cell.SetLeftText(r.leftText);
    if (!r.rightText.isEmpty() || cell.GetRec())
        cell.SetRightText(r.rightText);
}

std::pair<int, int> ClampedMergeExtent(const TCellInfo &cell, const CellRecord &r)
{
    const TCustomQorGrid &grid = *cell.GetGrid();
    return {std::clamp(r.rows, 1, std::max(1, grid.GetRows() - cell.GetRow())),
            std::clamp(r.cols, 1, std::max(1, grid.GetCols() - cell.GetCol()))};
}

void ApplyCellEdges(TCellInfo &cell, const CellRecord &r)
{
    cell.SetTopLine(r.topLine);
    cell.SetLeftLine(r.leftLine);
    cell.SetRightLine(r.rightLine);
    cell.SetBottomLine(r.bottomLine);
    for (int e = 0; e < 4; ++e)
        cell.SetFrame(TCellEdge(e), r.frames[e]);
    for (int e = 0; e < 4; ++e)
        cell.SetFrameWidth(TCellEdge(e), r.frameWidths[e]);
    cell.SetLeftFrameColor(r.frameColors[0]);
    cell.SetRightFrameColor(r.frameColors[1]);
    cell.SetTopFrameColor(r.frameColors[2]);
    cell.SetBottomFrameColor(r.frameColors[3]);
    for (int e = 0; e < 4; ++e)
        cell.SetFrameStyle(TCellEdge(e), TPenStyle(r.frameStyles[e]));
}

QString ApplyCellOwned(TCellInfo &cell, const CellRecord &r, int version, FontShare *share)
{
    if (!r.items.isEmpty())
        cell.Items().SetText(r.items);
    else if (cell.PeekItems())
        cell.Items().Clear();

    QString problem;
    if (!r.graphic.isEmpty())
        cell.SetGraphic(PictureFromImageBytes(r.graphic, &problem));
    else if (cell.PeekGraphic())
        cell.Graphic().Clear();

    if (!r.font.name.isEmpty()) {
        TFontRecord f = r.font;
        if (version < 6 && f.name == QLatin1String("MS Sans Serif"))
            f.name = QStringLiteral("Arial");
        const TQorFont &base = cell.PeekFont() ? *cell.PeekFont() : cell.GetGrid()->GetFont();
        if (share && share->valid && share->record == f && share->base == base &&
            share->base.Font.resolveMask() == base.Font.resolveMask()) {
            cell.SetFont(share->result);
        } else {
            if (share)
                share->base = base;
            TQorFont font = cell.Font();
            f.ApplyTo(font.Font);
            font.Color = f.color;
            font.Charset = f.charset;
            cell.SetFont(font);
            if (share) {
                share->valid = true;
                share->record = f;
                share->result = *cell.PeekFont();
            }
        }
    }

    return problem;
}

QString ApplyCellRecord(TCellInfo &cell, const CellRecord &r, int version, CellLoadOptions options)
{
    QString problem;
    {
        LoadingScope scope(cell);
        problem = applyHead(cell, r, version);
        applyTail(cell, r, options);
    }
    FinishCellRecord(cell, r, problem);
    return problem;
}

void FinishCellRecord(TCellInfo &cell, const CellRecord &r, const QString &problem)
{
    if (cell.GetRec() || r.ownRec)
        cell.SetAutoHeight(r.style.AutoHeight);
    cell.DrawSelf();
    if (!problem.isEmpty())
        qCWarning(lcRecords) << "cell" << cell.GetRow() << cell.GetCol() << "keeps a picture it cannot show:" << problem;
}

void SaveCellToStream(ByteWriter &out, const TCellInfo &Cell) { WriteCellRecord(out, recordOfCell(Cell)); }

void SaveCellToStreamWithoutText(ByteWriter &out, const TCellInfo &Cell)
{
    CellRecord r = recordOfCell(Cell);
    r.text.clear();
    r.richText.clear();
    WriteCellRecord(out, r);
}

void SaveEmptyCellToStream(ByteWriter &out, const TCustomQorGrid &Grid, int Row, int Col)
{
    WriteCellRecord(out, recordOfPosition(Grid, Row, Col));
}

void SaveCellToStream(ByteWriter &out, const TCustomQorGrid &Grid, int Row, int Col)
{
    if (const TCellInfo *cell = GridPrivate::get(Grid).cells.At(Row, Col))
        SaveCellToStream(out, *cell);
    else
        SaveEmptyCellToStream(out, Grid, Row, Col);
}

QString LoadCellFromStream(ByteReader &in, TCellInfo &Cell, int Version, CellLoadOptions Options)
{
    CellRecord r;
    if (!ReadCellRecord(in, r, Version))
        return QString();
    return ApplyCellRecord(Cell, r, Version, Options);
}

QString LoadCellFromStream(ByteReader &in, TCellInfo &Cell, CellLoadOptions Options)
{
    return LoadCellFromStream(in, Cell, GetCurrentStreamVersion(), Options);
}

void CopyTextFromStream(ByteReader &in, TCellInfo &Cell, int Version)
{
    CellRecord r;
    if (!ReadCellTexts(in, r, Version))
        return;
    {
        LoadingScope scope(Cell);
        ApplyCellTexts(Cell, r);
    }
    Cell.DrawSelf();
}

void CopyTextFromStream(ByteReader &in, TCellInfo &Cell) { CopyTextFromStream(in, Cell, GetCurrentStreamVersion()); }

// --- The cell's own members

void TCellInfo::SaveToStream(QByteArray &Stream) const
{
    ByteWriter out;
    SaveCellToStream(out, *this);
    Stream = out.take();
}

namespace {
template <class Read>
bool refusedAsFalse(Read &&read)
{
    try {
        read();
        return true;
    } catch (const StreamFormatError &e) {
        qCWarning(lcRecords) << "cell record refused:" << e.what();
        return false;
    }
}
} // namespace

bool TCellInfo::LoadFromStream(const QByteArray &Stream, bool ApplySizes)
{
    return refusedAsFalse([&] {
        ByteReader in(Stream);
        LoadCellFromStream(in, *this, CellLoadOptions{ApplySizes, false});
    });
}

bool TCellInfo::InternalLoadFromStream2(const QByteArray &Stream, bool ApplySizes)
{
    return refusedAsFalse([&] {
        ByteReader in(Stream);
        LoadCellFromStream(in, *this, CellLoadOptions{ApplySizes, true});
    });
}

bool TCellInfo::CopyTextFromStream(const QByteArray &Stream)
{
    return refusedAsFalse([&] {
        ByteReader in(Stream);
        qor::CopyTextFromStream(in, *this, GetCurrentStreamVersion());
    });
}

} // namespace qor
