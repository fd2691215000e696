// The grid stream reader's cell installer. Every field is compared with what the cell answers
// and stored only when it differs, exactly as its setter would; a cell without a record gets
// one only when some field differed, filled as CheckNil would have filled it. Fields whose
// setters reach beyond the record (texts, name, owned objects, shared edges, rich text, the
// formula result) still go through those setters, in the same order relative to each other.
#include <algorithm>
#include <utility>

#include "core/model/cell_p.h"
#include "core/model/column.h"
#include "core/grid_p.h"
#include "formula/engine/exp_value.h"
#include "io/cell_record_apply_p.h"

namespace qor {

namespace {

// The fields of one record against the record they end up in. `exists` tells whether the
// cell would have a record by now on the setter path: it had one, or a setter found a
// difference and created it.
class RecordTarget {
public:
    RecordTarget(TCellRec &rec, bool hadRec) : m_rec(rec), m_exists(hadRec) {}
    TCellRec &rec() { return m_rec; }
    bool exists() const { return m_exists; }
    void changed() { m_exists = true; }

private:
    TCellRec &m_rec;
    bool m_exists;
};

// One inherited attribute, as its generated setter does it: compare in the getter's type,
// store in the storage type.
#define QOR_PUT_STYLE(Name, value)                                                                                 \
    do {                                                                                                           \
        using Type = decltype(std::declval<const TCellInfo &>().Get##Name());                                      \
        const Type v = (value);                                                                                    \
        if (!(static_cast<Type>(t.rec().Style.Name) == v)) {                                                       \
            t.rec().Style.Name = ToStorage(v);                                                                     \
            t.changed();                                                                                           \
        }                                                                                                          \
    } while (false)

// One attribute of the cell alone.
#define QOR_PUT_OWN(Name, value)                                                                                   \
    do {                                                                                                           \
        using Type = decltype(std::declval<const TCellInfo &>().Get##Name());                                      \
        const Type v = (value);                                                                                    \
        if (!(Type(t.rec().Name) == v)) {                                                                          \
            t.rec().Name = v;                                                                                      \
            t.changed();                                                                                           \
        }                                                                                                          \
    } while (false)

// Fields 18 to 64 without the edges and the merge extent.
void putHead(RecordTarget &t, const CellRecord &r)
{
    QOR_PUT_STYLE(ReadOnly, r.readOnly);
    QOR_PUT_STYLE(Alignment, TAlignment(r.alignment));
    QOR_PUT_STYLE(VerAlignment, TVerAlignment(r.verAlignment));
    QOR_PUT_STYLE(BackColor, TColor(r.backColor));
    QOR_PUT_STYLE(FixCell, r.fixCell);
    QOR_PUT_STYLE(WordWrap, r.wordWrap);
    QOR_PUT_STYLE(AutoHeight, r.autoHeight);
    QOR_PUT_STYLE(CellType, TCellType(r.cellType));
    QOR_PUT_STYLE(GraphicHorAlignment, TAlignment(r.graphicHorAlignment));
    QOR_PUT_STYLE(BiasColor, TColor(r.biasColor));
    QOR_PUT_OWN(Checked, r.checked);
    QOR_PUT_STYLE(ValueType, TValueType(r.valueType));
    {
        // A changed digit count below 0 is stored as 0 (the text conversion after Digits).
        const int digits = r.digits;
        if (t.rec().Style.Digits != digits) {
            t.rec().Style.Digits = std::max(digits, 0);
            t.changed();
        }
    }
    QOR_PUT_STYLE(ThousandSeparators, r.thousandSeparators);
    QOR_PUT_STYLE(PasswordChar, QChar(r.passwordChar));
    QOR_PUT_STYLE(MaxLength, r.maxLength);
    QOR_PUT_STYLE(DirectInput, r.directInput);
    QOR_PUT_STYLE(TileGraphic, r.tileGraphic);
    QOR_PUT_STYLE(Stretch, r.stretch);
    QOR_PUT_STYLE(StretchFine, r.stretchFine);
    QOR_PUT_STYLE(VerticalText, r.verticalText);
    QOR_PUT_STYLE(BiasDirection, TBiasDirection(r.biasDirection));
    QOR_PUT_STYLE(BiasWidth, r.biasWidth);
    QOR_PUT_STYLE(BiasStyle, TPenStyle(r.biasStyle));
    QOR_PUT_STYLE(TransparentColor, TColor(r.transparentColor));
}

// The item index a cell answers: a combo cell with items reads it from its text.
int currentItemIndex(const TCellInfo &cell, const TCellRec &rec)
{
    const TQorStrings *items = cell.PeekItems();
    if (TCellType(rec.Style.CellType) == ctCombo && items && items->Count() > 0)
        return items->IndexOf(cell.GetText());
    return rec.ItemIndex;
}

// Fields 65 on that live in the record, as far as the record has them.
void putTail(RecordTarget &t, const TCellInfo &cell, const CellRecord &r)
{
    if (r.has(65))
        QOR_PUT_STYLE(Transparent, r.transparent);
    if (r.has(68))
        QOR_PUT_STYLE(ComboItemHeight, r.comboItemHeight);
    if (r.has(69))
        QOR_PUT_STYLE(GraphicVerAlignment, TVerAlignment(r.graphicVerAlignment));
    if (r.has(70))
        QOR_PUT_STYLE(GraphicLMargin, uint16_t(r.graphicMargins[0]));
    if (r.has(74))
        QOR_PUT_STYLE(TextLMargin, uint16_t(r.textMargins[0]));
    if (r.has(71))
        QOR_PUT_STYLE(GraphicTMargin, uint16_t(r.graphicMargins[1]));
    if (r.has(75))
        QOR_PUT_STYLE(TextTMargin, uint16_t(r.textMargins[1]));
    if (r.has(72))
        QOR_PUT_STYLE(GraphicRMargin, uint16_t(r.graphicMargins[2]));
    if (r.has(76))
        QOR_PUT_STYLE(TextRMargin, uint16_t(r.textMargins[2]));
    if (r.has(73))
        QOR_PUT_STYLE(GraphicBMargin, uint16_t(r.graphicMargins[3]));
    if (r.has(77))
        QOR_PUT_STYLE(TextBMargin, uint16_t(r.textMargins[3]));
    if (r.has(78))
        QOR_PUT_STYLE(ImageIndex, r.imageIndex);
    // The bulk reader puts the background colour back after Ctl3D: it is already in place.
    if (r.has(79))
        QOR_PUT_OWN(Ctl3D, r.ctl3D);
    if (r.has(80))
        QOR_PUT_STYLE(Cursor, TCursor(r.cursor));
    if (r.has(81))
        QOR_PUT_STYLE(Hint, r.hint);
    if (r.has(82) && currentItemIndex(cell, t.rec()) != r.itemIndex) {
        t.rec().ItemIndex = r.itemIndex;
        t.changed();
    }
    if (r.has(83))
        QOR_PUT_STYLE(Increment, r.increment);
    // 84, 85 and 87 are the setters' (after the record is in place).
    if (r.has(86))
        QOR_PUT_STYLE(BrushStyle, TBrushStyle(r.brushStyle));
    if (r.has(88))
        QOR_PUT_STYLE(ValueChecked, r.valueChecked);
    if (r.has(89))
        QOR_PUT_STYLE(ValueUnChecked, r.valueUnChecked);
    if (r.has(90))
        QOR_PUT_OWN(FieldName, r.fieldName);
    if (r.has(91))
        QOR_PUT_STYLE(TrimZero, r.trimZero);
    if (r.has(92))
        QOR_PUT_STYLE(FontAngle, r.fontAngle);
    if (r.has(93))
        QOR_PUT_STYLE(ShrinkToFit, r.shrinkToFit);
    if (r.has(94))
        QOR_PUT_STYLE(Printable, r.printable);
    if (r.has(95))
        QOR_PUT_STYLE(PrintCurrencyLine, r.printCurrencyLine);
    if (r.has(96))
        QOR_PUT_STYLE(VerticalTextSpace, r.verticalTextSpace);
    if (r.has(99))
        QOR_PUT_OWN(TabNextRow, r.tabNextRow);
    if (r.has(100))
        QOR_PUT_OWN(TabNextCol, r.tabNextCol);
    if (r.has(101))
        QOR_PUT_STYLE(ShowCurrencyLine, r.showCurrencyLine);
    if (r.has(102))
        QOR_PUT_STYLE(DropDownCount, r.dropDownCount);
}

// Whether the cell's lines and frames already are the record's (most are): then none of
// their setters would do anything.
bool sameEdges(const TCellInfo &cell, const CellRecord &r)
{
    static const TCellRec fresh;
    const TCellRec &c = cell.GetRec() ? *cell.GetRec() : fresh;
    const unsigned lines = unsigned(r.leftLine) << ceLeft | unsigned(r.topLine) << ceTop |
                           unsigned(r.rightLine) << ceRight | unsigned(r.bottomLine) << ceBottom;
    unsigned frames = 0;
    for (int e = 0; e < 4; ++e)
        frames |= unsigned(r.frames[e]) << e;
    if (c.Lines != lines || c.Frames != frames)
        return false;
    for (int e = 0; e < 4; ++e)
        if (c.FrameWidth[e] != r.frameWidths[e] || c.FrameStyle[e] != r.frameStyles[e])
            return false;
    return c.FrameColor[ceLeft] == TColor(r.frameColors[0]) && c.FrameColor[ceRight] == TColor(r.frameColors[1]) &&
           c.FrameColor[ceTop] == TColor(r.frameColors[2]) && c.FrameColor[ceBottom] == TColor(r.frameColors[3]);
}

} // namespace

bool CellRecordInstaller::Install(TCellInfo &cell, const CellRecord &r, int version, QString *problem)
{
    GridPrivate &d = GridPrivate::get(*cell.GetGrid());
    // A changed merge extent goes through the merge table; an open editor and a cell without
    // a column answer in ways the comparison below does not follow.
    const auto [rows, cols] = ClampedMergeExtent(cell, r);
    if (rows != cell.GetRows() || cols != cell.GetCols() || !cell.GetColumn() ||
        d.editorOpenOn(cell.GetRow(), cell.GetCol()))
        return false;

    ApplyCellTexts(cell, r);
    if (!r.name.isEmpty() || cell.GetRec())
        cell.SetName(r.name);

    TCellRec fresh;
    TCellRec *own = cell.GetRec();
    if (!own)
        fresh.Style = cell.DefaultStyle();
    RecordTarget t(own ? *own : fresh, own != nullptr);
    if (!r.tag.isEmpty() || t.exists())
        QOR_PUT_STYLE(Tag, r.tag);
    if (!r.mask.isEmpty() || t.exists())
        QOR_PUT_STYLE(Mask, r.mask);
    *problem = ApplyCellOwned(cell, r, version, &m_fonts);
    putHead(t, r);
    putTail(t, cell, r);
    if (!own && t.exists())
        cell.AdoptRec(std::move(fresh));

    // Lines and frames are shared with the neighbours: their setters carry a change across.
    if (!sameEdges(cell, r))
        ApplyCellEdges(cell, r);
    if (r.has(84))
        cell.SetRichText(r.richText);
    if (r.has(85) && r.formulaValue != 0) {
        cell.CheckNil();
        cell.SetFormulaValue(ExpValue(r.formulaValue));
    }
    if (r.has(87))
        cell.SetIsNumber(r.isNumber);
    return true;
}

QString CellRecordInstaller::Load(ByteReader &in, TCellInfo &cell, int version)
{
    CellRecord r;
    if (!ReadCellRecord(in, r, version))
        return QString();
    QString problem;
    bool installed;
    {
        LoadingScope scope(cell);
        installed = Install(cell, r, version, &problem);
    }
    if (!installed)
        return ApplyCellRecord(cell, r, version, CellLoadOptions{false, true});
    FinishCellRecord(cell, r, problem);
    return problem;
}

#undef QOR_PUT_STYLE
#undef QOR_PUT_OWN

} // namespace qor
