// Columns to records and back.
#include "io/column_record.h"

#include <QLoggingCategory>
#include <climits>
#include <cmath>

#include "core/model/axis_p.h"
#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "io/cell_record_p.h"
#include "io/font_record.h"
#include "io/record_fields_p.h"
#include "io/stream_version.h"
#include "io/text_record.h"

namespace qor {

Q_DECLARE_LOGGING_CATEGORY(lcRecords)

namespace {

constexpr char kTag[] = "_Col";
constexpr char kOldTag[] = "QCol";
// Fields from here on are missing in records of earlier releases.
constexpr int kTolerantFrom = 53;

struct ColumnRecord {
    bool oldTag = false;
    uint8_t titleAlignment = 0;
    QString caption;
    int32_t titleColor = 0;
    TFontRecord titleFont;
    TCellStyle style;
    QString items;
    QByteArray graphic;
    int32_t width = 0;
    bool visible = true;
    int32_t right = 0;
    int32_t savedWidth = 0;
    int32_t filterType = 0, condition1 = 0, condition2 = 0, top10Count = 0;
    QString value1, value2;
    bool andCombined = true, numeric = false, top10First = true, top10Second = true;
    QString fieldName;
    bool grouped = false, groupAscending = true;
    uint8_t formulaType = 0;
    QString name;
    double phyWidth = 0;
    int lastField = INT_MAX; // until the reader tells how far the record went

    bool has(int field) const { return field <= lastField; }
};

[[noreturn]] void refuse(const char *what) { throw StreamFormatError(what); }

int32_t ordinal32(int32_t v, int32_t last)
{
    if (v < 0 || v > last)
        refuse("column record: enumeration out of range");
    return v;
}

// An enumeration's ordinal in one byte, up to its last value.
struct Ordinal {
    uint8_t last;
    void write(ByteWriter &out, uint8_t v) const { out.writeU8(v); }
    uint8_t read(ByteReader &in, int) const
    {
        const uint8_t v = in.readU8();
        if (v > last)
            refuse("column record: enumeration out of range");
        return v;
    }
};

struct Margin {
    void write(ByteWriter &out, uint16_t v) const { out.writeU32(v); }
    uint16_t read(ByteReader &in, int) const
    {
        const uint32_t v = in.readU32();
        if (v > 0xFFFF)
            refuse("column record: margin out of range");
        return uint16_t(v);
    }
};

// The high half of the cursor field is not part of the cursor.
struct Cursor {
    void write(ByteWriter &out, TCursor v) const { out.writeI32(int32_t(uint16_t(v))); }
    TCursor read(ByteReader &in, int) const { return TCursor(in.readU32() & 0xFFFF); }
};

struct Width {
    void write(ByteWriter &out, int32_t v) const { out.writeI32(v); }
    int32_t read(ByteReader &in, int) const
    {
        const int32_t v = in.readI32();
        if (v < 0)
            refuse("column record: negative width");
        return v;
    }
};

// Records of the old tag kept the tag as a number.
struct TagText {
    bool oldTag;
    void write(ByteWriter &out, const QString &v) const { SaveTextToStream(out, v); }
    QString read(ByteReader &in, int version) const
    {
        return oldTag ? QString::number(in.readI32()) : LoadTextFromStream2(in, version);
    }
};

// Every field after the tag (field 1), in stored order.
template <class R, class F>
void columnFields(R &r, F &&f)
{
    using namespace fields;
    auto &s = r.style;
    f(Ordinal{taCenter}, QOR_MEMBER(r.titleAlignment));
    f(Text{}, QOR_MEMBER(r.caption));
    f(I32{}, QOR_MEMBER(r.titleColor));
    f(NarrowFont{}, QOR_MEMBER(r.titleFont));
    f(Bool{}, QOR_MEMBER(s.ReadOnly));                        // 6
    f(Ordinal{taCenter}, QOR_MEMBER(s.Alignment));
    f(Ordinal{vtaCenter}, QOR_MEMBER(s.VerAlignment));
    f(I32{}, QOR_MEMBER(s.BackColor));
    f(Bool{}, QOR_MEMBER(s.FixCell));
    f(Bool{}, QOR_MEMBER(s.WordWrap));
    f(Text{}, QOR_MEMBER(s.Mask));
    f(Bool{}, QOR_MEMBER(s.AutoHeight));
    f(Ordinal{ctMemo}, QOR_MEMBER(s.CellType));
    f(Text{}, QOR_MEMBER(r.items));                           // 15
    f(Block{"column record: picture longer than the record"}, QOR_MEMBER(r.graphic));
    f(I32{}, QOR_MEMBER(s.BiasColor));
    f(Ordinal{vtChineseDate}, QOR_MEMBER(s.ValueType));
    f(I32{}, QOR_MEMBER(s.Digits));
    f(Bool{}, QOR_MEMBER(s.ThousandSeparators));              // 20
    f(Latin1Char{}, QOR_MEMBER(s.PasswordChar));
    f(I32{}, QOR_MEMBER(s.MaxLength));
    f(Bool{}, QOR_MEMBER(s.DirectInput));
    f(Bool{}, QOR_MEMBER(s.TileGraphic));
    f(Bool{}, QOR_MEMBER(s.Stretch));                         // 25
    f(Bool{}, QOR_MEMBER(s.StretchFine));
    f(Bool{}, QOR_MEMBER(s.VerticalText));
    f(Ordinal{bdUp}, QOR_MEMBER(s.BiasDirection));
    f(I32{}, QOR_MEMBER(s.BiasWidth));
    f(Ordinal{psInsideFrame}, QOR_MEMBER(s.BiasStyle));       // 30
    f(I32{}, QOR_MEMBER(s.TransparentColor));
    f(Bool{}, QOR_MEMBER(s.Transparent));
    f(I32{}, QOR_MEMBER(s.ComboItemHeight));
    f(Ordinal{taCenter}, QOR_MEMBER(s.GraphicHorAlignment));
    f(Ordinal{vtaCenter}, QOR_MEMBER(s.GraphicVerAlignment)); // 35
    f(Margin{}, QOR_MEMBER(s.TextLMargin));
    f(Margin{}, QOR_MEMBER(s.TextTMargin));
    f(Margin{}, QOR_MEMBER(s.TextRMargin));
    f(Margin{}, QOR_MEMBER(s.TextBMargin));
    f(Margin{}, QOR_MEMBER(s.GraphicLMargin));
    f(Margin{}, QOR_MEMBER(s.GraphicTMargin));
    f(Margin{}, QOR_MEMBER(s.GraphicRMargin));
    f(Margin{}, QOR_MEMBER(s.GraphicBMargin));
    f(I32{}, QOR_MEMBER(s.ImageIndex));                       // 44
    f(Cursor{}, QOR_MEMBER(s.Cursor));
    f(Text{}, QOR_MEMBER(s.Hint));
    f(Extended{}, QOR_MEMBER(s.Increment));
    f(Ordinal{bsDiagCross}, QOR_MEMBER(s.BrushStyle));
    f(Width{}, QOR_MEMBER(r.width));                          // 49
    f(Bool{}, QOR_MEMBER(r.visible));
    f(I32{}, QOR_MEMBER(r.right));
    f(Width{}, QOR_MEMBER(r.savedWidth));
    f.tail();                                                 // kTolerantFrom
    f(I32{}, QOR_MEMBER(r.filterType));                       // 53
    f(I32{}, QOR_MEMBER(r.condition1));
    f(Text{}, QOR_MEMBER(r.value1));
    f(Bool{}, QOR_MEMBER(r.andCombined));
    f(I32{}, QOR_MEMBER(r.condition2));
    f(Text{}, QOR_MEMBER(r.value2));
    f(Bool{}, QOR_MEMBER(r.numeric));
    f(Bool{}, QOR_MEMBER(r.top10First));                      // 60
    f(I32{}, QOR_MEMBER(r.top10Count));
    f(Bool{}, QOR_MEMBER(r.top10Second));
    f(Text{}, QOR_MEMBER(r.fieldName));
    f(Bool{}, QOR_MEMBER(r.grouped));
    f(Bool{}, QOR_MEMBER(r.groupAscending));                  // 65
    f(TagText{r.oldTag}, QOR_MEMBER(s.Tag));
    f(U8{}, QOR_MEMBER(r.formulaType));
    f(Text{}, QOR_MEMBER(s.ValueChecked));
    f(Text{}, QOR_MEMBER(s.ValueUnChecked));
    f(Bool{}, QOR_MEMBER(s.TrimZero));                        // 70
    f(Text{}, QOR_MEMBER(r.name));
    f(I32{}, QOR_MEMBER(s.FontAngle));
    f(Bool{}, QOR_MEMBER(s.ShrinkToFit));
    f(Bool{}, QOR_MEMBER(s.Printable));
    f(Bool{}, QOR_MEMBER(s.PrintCurrencyLine));               // 75
    f(I32{}, QOR_MEMBER(s.VerticalTextSpace));
    f(Float64{}, QOR_MEMBER(r.phyWidth));
    f(Bool{}, QOR_MEMBER(s.ShowCurrencyLine));
    f(I32{}, QOR_MEMBER(s.DropDownCount));
}

ColumnRecord recordOf(const TQorColumn &c)
{
    ColumnRecord r;
    const TQorColumnTitle &title = c.Title();
    r.titleAlignment = title.GetAlignment();
    r.caption = title.GetCaption();
    r.titleColor = title.GetColor();
    r.titleFont = TFontRecord::FromFont(title.GetFont().Font, title.GetFont().Color, title.GetFont().Charset);
    r.style = c.Style();
    r.items = JoinItemLines(c.GetItems().Items());
    r.graphic = PictureImageBytes(c.GetGraphic());
    const Axis &axis = GridPrivate::get(*c.GetGrid()).colAxis;
    r.width = axis.CurrentSize(c.GetIndex());
    r.visible = c.GetVisible();
    r.right = c.GetRight();
    r.savedWidth = axis.VisibleSize(c.GetIndex());
    const TColumnDataState &ds = c.DataState();
    r.filterType = ds.FilterType;
    r.condition1 = ds.Condition1;
    r.value1 = ds.Value1;
    r.andCombined = ds.AndCombined;
    r.condition2 = ds.Condition2;
    r.value2 = ds.Value2;
    r.numeric = ds.Numeric;
    r.top10First = ds.Top10First;
    r.top10Count = ds.Top10Count;
    r.top10Second = ds.Top10Second;
    r.grouped = ds.Grouped;
    r.groupAscending = ds.GroupAscending;
    r.fieldName = c.GetFieldName();
    r.formulaType = c.GetFormulaType();
    r.name = c.GetName();
    r.phyWidth = c.GetPhyWidth();
    return r;
}

void writeRecord(ByteWriter &out, const ColumnRecord &r)
{
    out.writeTag(kTag);
    columnFields(r, fields::FieldWriter(out));
}

// Reads the fields after the tag into r, whose style starts as the column's current one.
void readRecord(ByteReader &in, ColumnRecord &r, int version)
{
    columnFields(r, fields::FieldReader(in, version, kTolerantFrom, r.lastField));
    if (r.has(53))
        ordinal32(r.filterType, ftNonBlanks);
    if (r.has(54))
        ordinal32(r.condition1, fcDoesNotContain);
    if (r.has(57))
        ordinal32(r.condition2, fcDoesNotContain);
    if (r.has(67))
        ordinal32(r.formulaType, ftAvg);
}

void applyWidth(TQorColumn &column, const ColumnRecord &r)
{
    GridPrivate &d = GridPrivate::get(*column.GetGrid());
    const int i = column.GetIndex();
    if (!d.colAxis.Valid(i))
        return;
    d.colAxis.SetVisible(i, true);
    d.colAxis.SetSize(i, r.visible ? r.width : r.savedWidth, d.layout.unitType);
    d.colAxis.SetVisible(i, r.visible);
    d.layoutChanged();
}

QString applyRecord(TQorColumn &column, const ColumnRecord &r)
{
    TQorColumnTitle &title = column.Title();
    title.SetAlignment(TAlignment(r.titleAlignment));
    title.SetCaption(r.caption);
    title.SetColor(r.titleColor);
    TQorFont font = title.GetFont();
    TFontRecord f = r.titleFont;
    if (f.name == QLatin1String("MS Sans Serif"))
        f.name = QStringLiteral("Arial");
    f.ApplyTo(font.Font);
    font.Color = f.color;
    font.Charset = f.charset;
    title.SetFont(font);

    column.SetStyle(r.style);
    TQorStrings items;
    items.SetText(r.items);
    column.SetItems(items);
    QString problem;
    column.SetGraphic(r.graphic.isEmpty() ? TQorPicture() : PictureFromImageBytes(r.graphic, &problem));
    applyWidth(column, r);

    TColumnDataState &ds = column.DataState();
    if (r.has(53))
        ds.FilterType = TFilterType(r.filterType);
    if (r.has(54))
        ds.Condition1 = TFilterCondition(r.condition1);
    if (r.has(55))
        ds.Value1 = r.value1;
    if (r.has(56))
        ds.AndCombined = r.andCombined;
    if (r.has(57))
        ds.Condition2 = TFilterCondition(r.condition2);
    if (r.has(58))
        ds.Value2 = r.value2;
    if (r.has(59))
        ds.Numeric = r.numeric;
    if (r.has(60))
        ds.Top10First = r.top10First;
    if (r.has(61))
        ds.Top10Count = r.top10Count;
    if (r.has(62))
        ds.Top10Second = r.top10Second;
    if (r.has(63))
        column.SetFieldName(r.fieldName);
    if (r.has(64))
        ds.Grouped = r.grouped;
    if (r.has(65))
        ds.GroupAscending = r.groupAscending;
    if (r.has(67))
        column.SetFormulaType(TFormulaType(r.formulaType));
    if (r.has(71))
        column.SetName(r.name);
    // The physical width (field 77) follows from the pixel width in the column axis.
    return problem;
}

// Reads a column record with the grid in its loading state: a name taken by another column
// moves silently, and nothing is repainted before the end.
class ColumnLoadingScope {
public:
    explicit ColumnLoadingScope(TCustomQorGrid &grid) : m_grid(grid), m_loading(grid.GetLoading())
    {
        m_grid.BeginUpdate();
        m_grid.SetLoading(true);
    }
    ~ColumnLoadingScope()
    {
        m_grid.SetLoading(m_loading);
        m_grid.EndUpdate();
    }

private:
    TCustomQorGrid &m_grid;
    bool m_loading;
};

} // namespace

void TQorColumn::SetStyle(const TCellStyle &Value)
{
    HideGridEditor();
    m_style = Value;
    GridPrivate &d = GridPrivate::get(*m_grid);
    for (int row = 0; row < d.rows; ++row)
        if (TCellInfo *cell = d.cells.At(row, m_index); cell && cell->GetRec())
            cell->GetRec()->Style = Value;
    d.repaintAll();
}

void SaveColumnToStream(ByteWriter &out, const TQorColumn &Column)
{
    const qsizetype at = out.reserveI32();
    writeRecord(out, recordOf(Column));
    out.patchI32(at, int32_t(out.size() - at - 4));
}

void LoadColumnFromStream(ByteReader &in, TQorColumn &Column, int Version)
{
    const qsizetype n = in.readLength();
    ByteReader record(in.take(n), n);
    ColumnRecord r;
    if (record.peekTag(kOldTag))
        r.oldTag = true;
    else if (!record.peekTag(kTag))
        return;
    record.skip(4);
    r.style = Column.Style();
    readRecord(record, r, Version);
    QString problem;
    {
        ColumnLoadingScope scope(*Column.GetGrid());
        problem = applyRecord(Column, r);
    }
    if (!problem.isEmpty())
        qCWarning(lcRecords) << "column" << Column.GetIndex() << "keeps a picture it cannot show:" << problem;
}

void LoadColumnFromStream(ByteReader &in, TQorColumn &Column)
{
    LoadColumnFromStream(in, Column, GetCurrentStreamVersion());
}

void TQorColumn::SaveToStream(QByteArray &Stream) const
{
    ByteWriter out;
    SaveColumnToStream(out, *this);
    Stream = out.take();
}

bool TQorColumn::LoadFromStream(const QByteArray &Stream)
{
    try {
        ByteReader in(Stream);
        LoadColumnFromStream(in, *this);
        return true;
    } catch (const StreamFormatError &e) {
        qCWarning(lcRecords) << "column record refused:" << e.what();
        return false;
    }
}

} // namespace qor
