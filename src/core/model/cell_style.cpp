// Cell attributes inherited from the column, and the lines and frames shared with neighbours.
#include "core/model/cell.h"

#include <string_view>
#include <type_traits>
#include "core/model/cell_p.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/style_attributes_p.h"

namespace qor {

#define QOR_CELL_STYLE(Type, Name, Default, Bits)                                                                    \
    Type TCellInfo::Get##Name() const                                                                              \
    {                                                                                                              \
        if (m_rec)                                                                                                 \
            return static_cast<Type>(m_rec->Style.Name);                                                           \
        return CellAccess::NoRecord<Type>(*this, std::bool_constant<gridDefaulted(#Name)>{}, [this] {              \
            const TQorColumn *column = GetColumn();                                                                \
            return column ? column->Get##Name() : static_cast<Type>(Default);                                      \
        });                                                                                                        \
    }                                                                                                              \
    void TCellInfo::Set##Name(AttrArg<Type> Value)                                                                 \
    {                                                                                                              \
        if (Get##Name() == Value)                                                                                  \
            return;                                                                                                \
        if constexpr (closesEditor(#Name))                                                                         \
            HideEditor();                                                                                          \
        const bool wasRich = std::string_view(#Name) == "CellType" && GetCellType() == ctRichEdit;                 \
        CheckNil()->Style.Name = ToStorage(Value);                                                                 \
        CellAccess::AfterStyleChange(*this, #Name, wasRich);                                                       \
    }

struct CellAccess {
    template <class Type, class F>
    static Type NoRecord(const TCellInfo &, std::false_type, F columnValue)
    {
        return columnValue();
    }
    template <class Type, class F>
    static Type NoRecord(const TCellInfo &cell, std::true_type, F)
    {
        return static_cast<Type>(cell.GetGrid()->GetDefaultCellType(cell.GetRow(), cell.m_col));
    }

    // Rich-text conversions when a cell starts or stops being a rich-text cell, then repaint.
    static void AfterStyleChange(TCellInfo &cell, std::string_view name, bool wasRich)
    {
        GridPrivate &d = GridPrivate::get(*cell.GetGrid());
        if (name == "CellType" && !d.loading) {
            const bool isRich = cell.GetCellType() == ctRichEdit;
            if (isRich && !wasRich) {
                if (auto rich = d.seams.richText->FromPlain(cell.m_text, cell.PeekFont()))
                    cell.Extras().richText = *rich;
            } else if (CellExtras *x = wasRich && !isRich ? cell.PeekExtras() : nullptr; x && !x->richText.isEmpty()) {
                // Without a converter the rich content is kept rather than lost.
                if (auto plain = d.seams.richText->ToPlain(x->richText)) {
                    x->richText.clear();
                    cell.SetText(*plain);
                }
            }
        }
        if (name == "ValueType" || name == "Digits")
            cell.ConvertStoredText(name == "Digits");
        d.editorStyleChanged(cell.GetRow(), cell.m_col);
        cell.DrawSelf();
    }
};

QOR_STYLE_ATTRIBUTES(QOR_CELL_STYLE)

#undef QOR_CELL_STYLE

// --- Lines and frames

bool TCellInfo::GetLine(TCellEdge Edge) const { return m_rec ? (m_rec->Lines >> Edge) & 1 : true; }
bool TCellInfo::GetFrame(TCellEdge Edge) const { return m_rec ? (m_rec->Frames >> Edge) & 1 : false; }
int TCellInfo::GetFrameWidth(TCellEdge Edge) const { return m_rec ? m_rec->FrameWidth[Edge] : 1; }
TColor TCellInfo::GetFrameColor(TCellEdge Edge) const { return m_rec ? m_rec->FrameColor[Edge] : clBlack; }
TPenStyle TCellInfo::GetFrameStyle(TCellEdge Edge) const
{
    return m_rec ? TPenStyle(m_rec->FrameStyle[Edge]) : psSolid;
}

namespace {

TCellEdge opposite(TCellEdge e) { return TCellEdge((e + 2) % 4); }

void storeLine(TCellInfo &c, TCellEdge e, const void *v)
{
    TCellRec *r = c.CheckNil();
    r->Lines = *static_cast<const bool *>(v) ? (r->Lines | (1u << e)) : (r->Lines & ~(1u << e));
}
void storeFrame(TCellInfo &c, TCellEdge e, const void *v)
{
    TCellRec *r = c.CheckNil();
    r->Frames = *static_cast<const bool *>(v) ? (r->Frames | (1u << e)) : (r->Frames & ~(1u << e));
}
void storeWidth(TCellInfo &c, TCellEdge e, const void *v) { c.CheckNil()->FrameWidth[e] = *static_cast<const int *>(v); }
void storeColor(TCellInfo &c, TCellEdge e, const void *v) { c.CheckNil()->FrameColor[e] = *static_cast<const TColor *>(v); }
void storeStyle(TCellInfo &c, TCellEdge e, const void *v)
{
    c.CheckNil()->FrameStyle[e] = uint8_t(*static_cast<const TPenStyle *>(v));
}

// An empty position answers what a cell without a record does.
template <class T, T (TCellInfo::*get)(TCellEdge) const, T fallback>
bool holds(const TCellInfo *c, TCellEdge e, const void *v)
{
    return (c ? (c->*get)(e) : fallback) == *static_cast<const T *>(v);
}
bool holdsStyle(const TCellInfo *c, TCellEdge e, const void *v)
{
    return (c ? c->GetFrameStyle(e) : psSolid) == *static_cast<const TPenStyle *>(v);
}

} // namespace

// Stores the value on this edge, on the same edge of the other cells of a merged area along
// it, and on the facing edge of the cells across it.
// One edge attribute: how to store it, and whether a cell (or an empty position, for
// nothing) already holds the value.
struct CellEdgeAttribute {
    void (*store)(TCellInfo &, TCellEdge, const void *);
    bool (*holds)(const TCellInfo *, TCellEdge, const void *);
};

namespace {
const CellEdgeAttribute lineAttr{storeLine, holds<bool, &TCellInfo::GetLine, true>};
const CellEdgeAttribute frameAttr{storeFrame, holds<bool, &TCellInfo::GetFrame, false>};
const CellEdgeAttribute widthAttr{storeWidth, holds<int, &TCellInfo::GetFrameWidth, 1>};
const CellEdgeAttribute colorAttr{storeColor, holds<TColor, &TCellInfo::GetFrameColor, clBlack>};
const CellEdgeAttribute styleAttr{storeStyle, holdsStyle};
} // namespace

void TCellInfo::PropagateEdge(TCellEdge Edge, const CellEdgeAttribute &attribute, const void *value)
{
    const int rows = std::max(GetRows(), 1);
    const int cols = std::max(GetCols(), 1);
    TCustomQorGrid *grid = GetGrid();
    const int r0 = GetRow();
    const int c0 = m_col;
    const TCellList &store = GridPrivate::get(*grid).cells;
    // A cell, or an empty position, that holds the value already is left alone: no record
    // and no cell are made just to store what they answer anyway.
    auto visit = [&](int r, int c, TCellEdge e) {
        if (attribute.holds(store.At(r, c), e, value))
            return;
        if (TCellInfo *cell = grid->Cells(r, c)) {
            attribute.store(*cell, e, value);
            cell->DrawSelf();
        }
    };
    const bool vertical = Edge == ceLeft || Edge == ceRight;
    const int span = vertical ? rows : cols;
    for (int i = 0; i < span; ++i) {
        int r = r0, c = c0, ar = r0, ac = c0;
        switch (Edge) {
        case ceLeft: r = ar = r0 + i; ac = c0 - 1; break;
        case ceRight: r = ar = r0 + i; c = c0 + cols - 1; ac = c + 1; break;
        case ceTop: c = ac = c0 + i; ar = r0 - 1; break;
        case ceBottom: c = ac = c0 + i; r = r0 + rows - 1; ar = r + 1; break;
        }
        visit(r, c, Edge);
        visit(ar, ac, opposite(Edge));
    }
}

void TCellInfo::SetLine(TCellEdge Edge, bool Value)
{
    if (GetLine(Edge) != Value)
        PropagateEdge(Edge, lineAttr, &Value);
}

void TCellInfo::SetFrame(TCellEdge Edge, bool Value)
{
    if (GetFrame(Edge) != Value)
        PropagateEdge(Edge, frameAttr, &Value);
}

void TCellInfo::SetFrameWidth(TCellEdge Edge, int Value)
{
    if (GetFrameWidth(Edge) != Value)
        PropagateEdge(Edge, widthAttr, &Value);
}

void TCellInfo::SetFrameColor(TCellEdge Edge, TColor Value)
{
    if (GetFrameColor(Edge) != Value)
        PropagateEdge(Edge, colorAttr, &Value);
}

void TCellInfo::SetFrameStyle(TCellEdge Edge, TPenStyle Value)
{
    if (GetFrameStyle(Edge) != Value)
        PropagateEdge(Edge, styleAttr, &Value);
}

void TCellInfo::ResetCellFrame()
{
    // Without a record every edge holds the defaults; so does every neighbour without one.
    if (!m_rec) {
        const TCellList &store = GridPrivate::get(*GetGrid()).cells;
        const int r = GetRow(), c = m_col;
        auto plain = [&](int nr, int nc) {
            const TCellInfo *n = store.At(nr, nc);
            return !n || !n->m_rec;
        };
        if (plain(r - 1, c) && plain(r + 1, c) && plain(r, c - 1) && plain(r, c + 1))
            return;
    }
    for (int i = 0; i < 4; ++i) {
        const TCellEdge e = TCellEdge(i);
        const bool line = GetLine(e);
        const bool frame = GetFrame(e);
        const int width = GetFrameWidth(e);
        const TColor color = GetFrameColor(e);
        const TPenStyle style = GetFrameStyle(e);
        PropagateEdge(e, lineAttr, &line);
        PropagateEdge(e, frameAttr, &frame);
        PropagateEdge(e, widthAttr, &width);
        PropagateEdge(e, colorAttr, &color);
        PropagateEdge(e, styleAttr, &style);
    }
}

} // namespace qor
