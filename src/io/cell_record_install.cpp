// The grid stream reader's cell installer. Every field is compared with what the cell answers
// and stored only when it differs, exactly as its setter would; a cell without a record gets
// one only when some field differed, filled as CheckNil would have filled it. Fields whose
// setters reach beyond the record (texts, name, owned objects, shared edges, rich text, the
// formula result) still go through those setters, in the same order relative to each other.
#include <algorithm>
#include <string_view>
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

// What a setter leaves in the record: a digit count below 0 becomes 0 (the text conversion
// after Digits).
constexpr bool settlesAtZero(std::string_view name) { return name == "Digits"; }
template <bool AtZero, class T>
T settled(T v)
{
    if constexpr (AtZero)
        return std::max(v, T(0));
    else
        return v;
}

// One inherited attribute, as its generated setter does it: compare in the getter's type,
// store in the storage type.
#define QOR_PUT_STYLE(Name, value)                                                                                 \
    do {                                                                                                           \
        using Type = decltype(std::declval<const TCellInfo &>().Get##Name());                                      \
        const Type v = (value);                                                                                    \
        if (!(static_cast<Type>(t.rec().Style.Name) == v)) {                                                       \
            t.rec().Style.Name = ToStorage(settled<settlesAtZero(#Name)>(v));                                      \
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

// The attribute table's attributes the record has, but those put with the texts.
void putStyle(RecordTarget &t, const CellRecord &r)
{
#define QOR_PUT_RECORD_STYLE(Type, Name, Default, Bits)                                                                \
    if constexpr (!setWithTexts(#Name))                                                                                \
        if (r.style.has(StyleAttr::Name))                                                                              \
            QOR_PUT_STYLE(Name, static_cast<Type>(r.style.Name));
    QOR_STYLE_ATTRIBUTES(QOR_PUT_RECORD_STYLE)
#undef QOR_PUT_RECORD_STYLE
}

// The item index a cell answers: a combo cell with items reads it from its text.
int currentItemIndex(const TCellInfo &cell, const TCellRec &rec)
{
    const TQorStrings *items = cell.PeekItems();
    if (TCellType(rec.Style.CellType) == ctCombo && items && items->Count() > 0)
        return items->IndexOf(cell.GetText());
    return rec.ItemIndex;
}

// The fields of the cell alone that live in its record, as far as the record has them. The
// item index follows the cell type just put.
void putOwn(RecordTarget &t, const TCellInfo &cell, const CellRecord &r)
{
    QOR_PUT_OWN(Checked, r.checked);
    // The bulk reader puts the background colour back after Ctl3D: it is already in place.
    if (r.has(79))
        QOR_PUT_OWN(Ctl3D, r.ctl3D);
    if (r.has(82) && currentItemIndex(cell, t.rec()) != r.itemIndex) {
        t.rec().ItemIndex = r.itemIndex;
        t.changed();
    }
    // 84, 85 and 87 are the setters' (after the record is in place).
    if (r.has(90))
        QOR_PUT_OWN(FieldName, r.fieldName);
    if (r.has(99))
        QOR_PUT_OWN(TabNextRow, r.tabNextRow);
    if (r.has(100))
        QOR_PUT_OWN(TabNextCol, r.tabNextCol);
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
    if (!r.style.Tag.isEmpty() || t.exists())
        QOR_PUT_STYLE(Tag, r.style.Tag);
    if (!r.style.Mask.isEmpty() || t.exists())
        QOR_PUT_STYLE(Mask, r.style.Mask);
    *problem = ApplyCellOwned(cell, r, version, &m_fonts);
    putStyle(t, r);
    putOwn(t, cell, r);
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
