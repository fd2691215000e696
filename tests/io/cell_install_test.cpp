// The grid stream reader's one-step cell installer against the attribute setters: random
// records, cut anywhere in their tolerant tail, "Cell" and "Cel_", on cells that already hold
// attributes and next to cells whose shared edges they change, must leave identical grids.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "formula/engine/exp_value.h"
#include "io/cell_record_apply_p.h"
#include "io/grid_stream.h"
#include "record_test_support.h"

using namespace qor;
using namespace qor::recordtest;

namespace {

constexpr int kSize = 5;

// Two grids with the same random columns; some columns carry items.
std::unique_ptr<TQorGrid> seededGrid(unsigned seed)
{
    auto grid = std::make_unique<TQorGrid>();
    grid->SetRows(kSize);
    grid->SetCols(kSize);
    Random r(seed);
    for (int c = 0; c < kSize; ++c) {
        if (r.between(0, 2) == 0)
            randomizeStyle(*grid->Columns(c), r);
        if (r.between(0, 3) == 0)
            grid->Columns(c)->SetItems(TQorStrings(QStringList{r.text(), r.text()}));
    }
    return grid;
}

// Often a default value, so that records both match and miss what the cell already holds.
template <class T>
T often(Random &r, T usual, T other)
{
    return r.between(0, 2) == 0 ? other : usual;
}

CellRecord randomRecord(Random &r)
{
    CellRecord c;
    c.ownRec = r.flip();
    const int kind = r.between(0, 5);
    c.text = kind == 0 ? QString() : kind == 1 ? QStringLiteral("=A1+1") : r.text();
    if (kind == 0 && r.flip()) {
        c.leftText = r.text();
        c.rightText = r.flip() ? r.text() : QString();
    }
    c.name = r.between(0, 4) == 0 ? QStringLiteral("n%1").arg(r.between(0, 2)) : QString();
    c.style.Tag = often(r, QString(), r.text());
    c.style.Mask = often(r, QString(), r.text());
    c.items = r.between(0, 3) == 0 ? r.text() + "\r\n" + r.text() : QString();
    if (r.between(0, 9) == 0)
        c.graphic = imageBytes(Qt::green, "BMP");
    if (r.flip()) {
        c.font.name = r.between(0, 3) == 0 ? QStringLiteral("MS Sans Serif") : QStringLiteral("Arial");
        c.font.size = r.between(0, 1) ? 9 : r.between(-2, 20);
        c.font.bold = r.flip();
        c.font.color = often(r, 0, r.any());
        c.font.charset = uint8_t(often(r, 1, r.between(0, 255)));
    }
    c.style.ReadOnly = r.flip();
    c.style.Alignment = uint8_t(r.between(0, 2));
    c.style.VerAlignment = uint8_t(r.between(0, 2));
    c.style.BackColor = often(r, int32_t(clWhite), r.any());
    c.rows = r.between(0, 7) == 0 ? r.between(1, 3) : 1;
    c.cols = r.between(0, 7) == 0 ? r.between(1, 3) : 1;
    c.style.FixCell = r.flip();
    c.style.WordWrap = r.flip();
    c.style.AutoHeight = r.flip();
    c.style.CellType = uint8_t(often(r, 0, r.between(0, 9)));
    c.style.GraphicHorAlignment = uint8_t(r.between(0, 2));
    c.style.BiasColor = often(r, 0, r.any());
    c.checked = r.flip();
    c.topLine = often(r, true, false);
    c.leftLine = often(r, true, false);
    c.rightLine = often(r, true, false);
    c.bottomLine = often(r, true, false);
    c.style.ValueType = uint8_t(often(r, 0, r.between(0, 12)));
    c.style.Digits = often(r, 2, r.between(-3, 6));
    c.style.ThousandSeparators = r.flip();
    c.style.PasswordChar = uint8_t(often(r, 0, r.between(1, 255)));
    c.style.MaxLength = often(r, 0, r.between(0, 50));
    c.style.DirectInput = r.flip();
    for (int e = 0; e < 4; ++e) {
        c.frames[e] = r.between(0, 3) == 0;
        c.frameWidths[e] = often(r, 1, r.between(0, 4));
        c.frameColors[e] = often(r, 0, r.any());
        c.frameStyles[e] = uint8_t(often(r, 0, r.between(0, 6)));
    }
    c.style.TileGraphic = r.flip();
    c.style.Stretch = r.flip();
    c.style.StretchFine = r.flip();
    c.style.VerticalText = r.flip();
    c.style.BiasDirection = uint8_t(r.between(0, 1));
    c.style.BiasWidth = often(r, 1, r.any());
    c.style.BiasStyle = uint8_t(r.between(0, 6));
    c.style.TransparentColor = often(r, 0, r.any());
    c.style.Transparent = r.flip();
    c.colWidth = r.between(10, 90);
    c.rowHeight = r.between(10, 40);
    c.style.ComboItemHeight = often(r, 13, r.any());
    c.style.GraphicVerAlignment = uint8_t(r.between(0, 2));
    uint32_t *graphicMargins[4] = {&c.style.GraphicLMargin, &c.style.GraphicTMargin, &c.style.GraphicRMargin,
                                   &c.style.GraphicBMargin};
    uint32_t *textMargins[4] = {&c.style.TextLMargin, &c.style.TextTMargin, &c.style.TextRMargin, &c.style.TextBMargin};
    for (int i = 0; i < 4; ++i) {
        *graphicMargins[i] = often<uint32_t>(r, 2, r.u16());
        *textMargins[i] = often<uint32_t>(r, 3, r.u16());
    }
    c.style.ImageIndex = often(r, -1, r.any());
    c.ctl3D = r.flip();
    c.style.Cursor = int16_t(often(r, 0, r.between(-32768, 32767)));
    c.style.Hint = often(r, QString(), r.text());
    c.itemIndex = often(r, -1, r.between(-1, 2));
    c.style.Increment = often(r, 1.0, r.real());
    c.richText = r.between(0, 3) == 0 ? QByteArray("{\\rtf1 x}") : QByteArray();
    c.formulaValue = often(r, 0.0, r.real());
    c.style.BrushStyle = uint8_t(r.between(0, 7));
    c.isNumber = r.flip();
    c.style.ValueChecked = often(r, QString(), r.text());
    c.style.ValueUnChecked = often(r, QString(), r.text());
    c.fieldName = often(r, QString(), r.text());
    c.style.TrimZero = r.flip();
    c.style.FontAngle = often(r, 0, r.any());
    c.style.ShrinkToFit = r.flip();
    c.style.Printable = often(r, true, false);
    c.style.PrintCurrencyLine = often(r, true, false);
    c.style.VerticalTextSpace = often(r, 3, r.any());
    c.phyColWidth = r.between(0, 50);
    c.phyRowHeight = r.between(0, 20);
    c.tabNextRow = often(r, -1, r.between(0, 4));
    c.tabNextCol = often(r, -1, r.between(0, 4));
    c.style.ShowCurrencyLine = r.flip();
    c.style.DropDownCount = often(r, 7, r.any());
    return c;
}

// The record's bytes, cut at a random point from field 65 on half of the time.
QByteArray recordBytes(const CellRecord &c, Random &r)
{
    ByteWriter out;
    WriteCellRecord(out, c);
    QByteArray bytes = out.take();
    if (r.flip())
        bytes.chop(r.between(0, 180));
    return bytes;
}

QStringList gridSnapshot(TCustomQorGrid &grid)
{
    QStringList s;
    for (int row = 0; row < grid.GetRows(); ++row)
        for (int col = 0; col < grid.GetCols(); ++col) {
            if (!grid.PeekCell(row, col)) {
                s << QStringLiteral("%1,%2 none").arg(row).arg(col);
                continue;
            }
            TCellInfo &cell = *grid.Cells(row, col);
            s << QStringLiteral("%1,%2 rec=%3 formula=%4 merge=%5,%6 default=%7")
                     .arg(row)
                     .arg(col)
                     .arg(cell.GetRec() != nullptr)
                     .arg(cell.GetFormulaValue().ToQString())
                     .arg(cell.GetMergeRow())
                     .arg(cell.GetMergeCol())
                     .arg(notDefaultCell(&cell));
            s << cellSnapshot(cell);
        }
    for (int col = 0; col < grid.GetCols(); ++col)
        s << QStringLiteral("width %1").arg(grid.GetColWidth(col));
    for (int row = 0; row < grid.GetRows(); ++row)
        s << QStringLiteral("height %1").arg(grid.GetRowHeight(row));
    return s;
}

// Reading a record into a cell either way, or the refusal.
QString loadEither(bool bulk, CellRecordInstaller &installer, const QByteArray &bytes, TCellInfo &cell, int version)
{
    ByteReader in(bytes);
    try {
        if (bulk)
            installer.Load(in, cell, version);
        else
            LoadCellFromStream(in, cell, version, CellLoadOptions{false, true});
        return QString();
    } catch (const StreamFormatError &e) {
        return QString::fromUtf8(e.what());
    }
}

} // namespace

TEST(CellInstall, RandomRecordsLeaveTheSameGridAsTheSetters)
{
    for (unsigned seed = 1; seed <= 400; ++seed) {
        auto setters = seededGrid(seed);
        auto bulk = seededGrid(seed);
        CellRecordInstaller installer;
        Random r(seed * 7919u);
        const int version = seed % 9 == 0 ? 5 : 14;
        // Some cells start with attributes of their own.
        if (seed % 3 == 0) {
            const int row = r.between(0, kSize - 1), col = r.between(0, kSize - 1);
            Random a(seed), b(seed);
            randomizeCell(*setters->Cells(row, col), a);
            randomizeCell(*bulk->Cells(row, col), b);
        }
        for (int n = 0; n < 8; ++n) {
            const QByteArray bytes = recordBytes(randomRecord(r), r);
            const int row = r.between(0, kSize - 1), col = r.between(0, kSize - 1);
            const QString refusedBySetters = loadEither(false, installer, bytes, *setters->Cells(row, col), version);
            const QString refusedByBulk = loadEither(true, installer, bytes, *bulk->Cells(row, col), version);
            ASSERT_EQ(refusedBySetters, refusedByBulk) << "seed " << seed << " record " << n;
            ASSERT_EQ(gridSnapshot(*setters), gridSnapshot(*bulk)) << "seed " << seed << " record " << n;
        }
        ASSERT_EQ(SaveGridToBytes(*setters, false, true), SaveGridToBytes(*bulk, false, true)) << "seed " << seed;
    }
}
