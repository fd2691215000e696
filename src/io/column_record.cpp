// Columns to records and back.
#include "io/column_record.h"

#include <QLoggingCategory>
#include <cmath>

#include "core/model/axis_p.h"
#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "io/cell_record_p.h"
#include "io/font_record.h"
#include "io/stream_version.h"
#include "io/text_record.h"

namespace qor {

Q_DECLARE_LOGGING_CATEGORY(lcRecords)

namespace {

constexpr char kTag[] = "_Col";
constexpr char kOldTag[] = "QCol";
// Fields from here on are missing in records of earlier releases.
constexpr int kTolerantFrom = 53;
constexpr int kLastField = 79;

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
    int lastField = kLastField;

    bool has(int field) const { return field <= lastField; }
};

[[noreturn]] void refuse(const char *what) { throw StreamFormatError(what); }

uint8_t ordinal(ByteReader &in, uint8_t last)
{
    const uint8_t v = in.readU8();
    if (v > last)
        refuse("column record: enumeration out of range");
    return v;
}

int32_t ordinal32(int32_t v, int32_t last)
{
    if (v < 0 || v > last)
        refuse("column record: enumeration out of range");
    return v;
}

uint16_t margin(ByteReader &in)
{
    const uint32_t v = in.readU32();
    if (v > 0xFFFF)
        refuse("column record: margin out of range");
    return uint16_t(v);
}

void writeMargins(ByteWriter &out, std::initializer_list<uint16_t> margins)
{
    for (uint16_t m : margins)
        out.writeU32(m);
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
    const TCellStyle &s = r.style;
    out.writeTag(kTag);
    out.writeU8(r.titleAlignment);
    SaveTextToStream(out, r.caption);
    out.writeI32(r.titleColor);
    SaveFontToStream(out, r.titleFont);
    out.writeBool(s.ReadOnly);                       // 6
    out.writeU8(s.Alignment);
    out.writeU8(s.VerAlignment);
    out.writeI32(s.BackColor);
    out.writeBool(s.FixCell);
    out.writeBool(s.WordWrap);
    SaveTextToStream(out, s.Mask);
    out.writeBool(s.AutoHeight);
    out.writeU8(s.CellType);
    SaveTextToStream(out, r.items);                  // 15
    out.writeI32(int32_t(r.graphic.size()));
    out.writeBytes(r.graphic);
    out.writeI32(s.BiasColor);
    out.writeU8(s.ValueType);
    out.writeI32(s.Digits);
    out.writeBool(s.ThousandSeparators);             // 20
    out.writeU8(s.PasswordChar <= 0xFF ? uint8_t(s.PasswordChar) : uint8_t('*'));
    out.writeI32(s.MaxLength);
    out.writeBool(s.DirectInput);
    out.writeBool(s.TileGraphic);
    out.writeBool(s.Stretch);                        // 25
    out.writeBool(s.StretchFine);
    out.writeBool(s.VerticalText);
    out.writeU8(s.BiasDirection);
    out.writeI32(s.BiasWidth);
    out.writeU8(s.BiasStyle);                        // 30
    out.writeI32(s.TransparentColor);
    out.writeBool(s.Transparent);
    out.writeI32(s.ComboItemHeight);
    out.writeU8(s.GraphicHorAlignment);
    out.writeU8(s.GraphicVerAlignment);              // 35
    writeMargins(out, {s.TextLMargin, s.TextTMargin, s.TextRMargin, s.TextBMargin});
    writeMargins(out, {s.GraphicLMargin, s.GraphicTMargin, s.GraphicRMargin, s.GraphicBMargin});
    out.writeI32(s.ImageIndex);                      // 44
    out.writeI32(int32_t(uint16_t(s.Cursor)));
    SaveTextToStream(out, s.Hint);
    out.writeExtended(s.Increment);
    out.writeU8(s.BrushStyle);
    out.writeI32(r.width);                           // 49
    out.writeBool(r.visible);
    out.writeI32(r.right);
    out.writeI32(r.savedWidth);
    out.writeI32(r.filterType);                      // 53
    out.writeI32(r.condition1);
    SaveTextToStream(out, r.value1);
    out.writeBool(r.andCombined);
    out.writeI32(r.condition2);
    SaveTextToStream(out, r.value2);
    out.writeBool(r.numeric);
    out.writeBool(r.top10First);                     // 60
    out.writeI32(r.top10Count);
    out.writeBool(r.top10Second);
    SaveTextToStream(out, r.fieldName);
    out.writeBool(r.grouped);
    out.writeBool(r.groupAscending);                 // 65
    SaveTextToStream(out, s.Tag);
    out.writeU8(r.formulaType);
    SaveTextToStream(out, s.ValueChecked);
    SaveTextToStream(out, s.ValueUnChecked);
    out.writeBool(s.TrimZero);                       // 70
    SaveTextToStream(out, r.name);
    out.writeI32(s.FontAngle);
    out.writeBool(s.ShrinkToFit);
    out.writeBool(s.Printable);
    out.writeBool(s.PrintCurrencyLine);              // 75
    out.writeI32(s.VerticalTextSpace);
    out.writeDouble(r.phyWidth);
    out.writeBool(s.ShowCurrencyLine);
    out.writeI32(s.DropDownCount);
}

// Reads the fields after the tag into r, whose style starts as the column's current one.
void readRecord(ByteReader &in, ColumnRecord &r, int version)
{
    TCellStyle &s = r.style;
    auto text = [&] { return LoadTextFromStream2(in, version); };
    r.titleAlignment = ordinal(in, taCenter);
    r.caption = text();
    r.titleColor = in.readI32();
    r.titleFont = LoadFontFromStream(in);
    s.ReadOnly = in.readBool();
    s.Alignment = ordinal(in, taCenter);
    s.VerAlignment = ordinal(in, vtaCenter);
    s.BackColor = in.readI32();
    s.FixCell = in.readBool();
    s.WordWrap = in.readBool();
    s.Mask = text();
    s.AutoHeight = in.readBool();
    s.CellType = ordinal(in, ctMemo);
    r.items = text();
    if (const int32_t n = in.readI32(); n > 0) {
        if (n > in.remaining())
            refuse("column record: picture longer than the record");
        r.graphic = in.readBytes(n);
    }
    s.BiasColor = in.readI32();
    s.ValueType = ordinal(in, vtChineseDate);
    s.Digits = in.readI32();
    s.ThousandSeparators = in.readBool();
    s.PasswordChar = in.readU8();
    s.MaxLength = in.readI32();
    s.DirectInput = in.readBool();
    s.TileGraphic = in.readBool();
    s.Stretch = in.readBool();
    s.StretchFine = in.readBool();
    s.VerticalText = in.readBool();
    s.BiasDirection = ordinal(in, bdUp);
    s.BiasWidth = in.readI32();
    s.BiasStyle = ordinal(in, psInsideFrame);
    s.TransparentColor = in.readI32();
    s.Transparent = in.readBool();
    s.ComboItemHeight = in.readI32();
    s.GraphicHorAlignment = ordinal(in, taCenter);
    s.GraphicVerAlignment = ordinal(in, vtaCenter);
    s.TextLMargin = margin(in);
    s.TextTMargin = margin(in);
    s.TextRMargin = margin(in);
    s.TextBMargin = margin(in);
    s.GraphicLMargin = margin(in);
    s.GraphicTMargin = margin(in);
    s.GraphicRMargin = margin(in);
    s.GraphicBMargin = margin(in);
    s.ImageIndex = in.readI32();
    // The high half of the cursor field is not part of the cursor.
    s.Cursor = TCursor(in.readU32() & 0xFFFF);
    s.Hint = text();
    s.Increment = in.readExtended();
    s.BrushStyle = ordinal(in, bsDiagCross);
    r.width = in.readI32();
    r.visible = in.readBool();
    r.right = in.readI32();
    r.savedWidth = in.readI32();
    if (r.width < 0 || r.savedWidth < 0)
        refuse("column record: negative width");

    // Earlier releases end the record somewhere from here on.
    TolerantTail next(in, kTolerantFrom, r.lastField);
    next([&] { r.filterType = in.readI32(); });
    next([&] { r.condition1 = in.readI32(); });
    next([&] { r.value1 = text(); });
    next([&] { r.andCombined = in.readBool(); });
    next([&] { r.condition2 = in.readI32(); });
    next([&] { r.value2 = text(); });
    next([&] { r.numeric = in.readBool(); });
    next([&] { r.top10First = in.readBool(); });
    next([&] { r.top10Count = in.readI32(); });
    next([&] { r.top10Second = in.readBool(); });
    next([&] { r.fieldName = text(); });
    next([&] { r.grouped = in.readBool(); });
    next([&] { r.groupAscending = in.readBool(); });
    // Records of the old tag kept the tag as a number.
    next([&] { s.Tag = r.oldTag ? QString::number(in.readI32()) : text(); });
    next([&] { r.formulaType = in.readU8(); });
    next([&] { s.ValueChecked = text(); });
    next([&] { s.ValueUnChecked = text(); });
    next([&] { s.TrimZero = in.readBool(); });
    next([&] { r.name = text(); });
    next([&] { s.FontAngle = in.readI32(); });
    next([&] { s.ShrinkToFit = in.readBool(); });
    next([&] { s.Printable = in.readBool(); });
    next([&] { s.PrintCurrencyLine = in.readBool(); });
    next([&] { s.VerticalTextSpace = in.readI32(); });
    next([&] { r.phyWidth = in.readDouble(); });
    next([&] { s.ShowCurrencyLine = in.readBool(); });
    next([&] { s.DropDownCount = in.readI32(); });
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
