// A cell: its text, record, owned objects and the attributes only a cell has.
#include "core/model/cell.h"

#include <QFile>
#include <QSaveFile>

#include "core/model/cell_p.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "platform/message_box.h"

namespace qor {

static_assert(sizeof(TCellInfo) == 40, "a filled sheet is mostly cells: keep them at forty bytes");

// The store of cells made without a grid: no slots, only their slabs and owned objects.
static TCellList &gridlessCells()
{
    static TCellList store;
    return store;
}

TCellInfo *TCellInfo::Create(TCustomQorGrid *Grid, int Row, int Col)
{
    return (Grid ? GridPrivate::get(*Grid).cells : gridlessCells()).NewCell(Row, Col);
}

void TCellInfo::operator delete(TCellInfo *cell, std::destroying_delete_t)
{
    CellPool &pool = CellPool::Of(cell);
    cell->~TCellInfo();
    pool.Release(cell);
}

TCellInfo::~TCellInfo()
{
    DropExtras();
    TCustomQorGrid *grid = GetGrid();
    if (!grid)
        return;
    GridPrivate &d = GridPrivate::get(*grid);
    if (m_rec && !m_rec->Name.isEmpty())
        d.names.ForgetCell(this, m_rec->Name);
    d.seams.formulas->CellFreed(*this);
    d.merges->CellFreed(*this);
}

TQorColumn *TCellInfo::GetColumn() const { return GetGrid() ? GetGrid()->Columns(m_col) : nullptr; }

CellExtras *TCellInfo::PeekExtras() const
{
    if (!m_hasExtras)
        return nullptr;
    const CellExtrasTable &table = *CellHomeOf(this).extras;
    const auto it = table.find(this);
    return it == table.end() ? nullptr : it->second.get();
}

CellExtras &TCellInfo::Extras()
{
    if (CellExtras *extras = PeekExtras())
        return *extras;
    auto &slot = (*CellHomeOf(this).extras)[this];
    slot = std::make_unique<CellExtras>();
    m_hasExtras = true;
    return *slot;
}

void TCellInfo::DropExtras()
{
    if (!m_hasExtras)
        return;
    CellHomeOf(this).extras->erase(this);
    m_hasExtras = false;
}

void TCellInfo::SetText(const QString &Value)
{
    if (Value != m_text)
        SetText(QString(Value));
}

void TCellInfo::SetText(QString &&Value)
{
    if (Value == m_text)
        return;
    if (TCustomQorGrid *grid = GetGrid())
        StoreText(GridPrivate::get(*grid), GetRow(), std::move(Value));
    else
        PutText(std::move(Value)); // a gridless cell has no formulas, view or handlers to tell
}

void TCellInfo::PutText(QString &&Value)
{
    m_numberKnown = false;
    m_text = std::move(Value);
    if (!m_text.isEmpty() && m_rec) {
        m_rec->LeftText.clear();
        m_rec->RightText.clear();
    }
}

void TCellInfo::StoreText(GridPrivate &d, int row, QString &&Value)
{
    TCustomQorGrid *grid = d.q;
    const int col = m_col;
    const bool loading = d.loading || m_loading;
    if (!loading && d.seams.binding->IsBound(row, col))
        d.seams.binding->WriteField(row, col, Value);
    d.seams.formulas->TextReplacing(*this, m_text, Value);
    PutText(std::move(Value));
    if (!loading) {
        const TCellType type = m_rec ? GetCellType() : grid->GetDefaultCellType(row, col);
        if (const CellExtras *x = type == ctCombo && m_rec ? PeekExtras() : nullptr; x && x->items && x->items->Count() > 0)
            m_rec->ItemIndex = x->items->IndexOf(m_text);
        else if (type == ctRichEdit)
            if (auto rich = d.seams.richText->FromPlain(m_text, PeekFont()))
                Extras().richText = *rich;
    }
    d.repaintCell(row, col);
    if (d.editorOpenOn(row, col))
        d.putEditorText(m_text);
    if (!loading)
        d.seams.dataOps->ColumnTextChanged(col);
    const bool locked = d.locked();
    d.seams.formulas->TextStored(*this, !locked);
    if (!locked)
        d.seams.formulas->RecalcDependents(*this);
    d.seams.objects->CellChanged(row, col);
    if (loading)
        return;
    // Handlers may restructure the grid: nothing of this cell is used from here on.
    if (grid->OnChange)
        grid->OnChange(grid, row, col);
    if (grid->OnUpdateData)
        grid->OnUpdateData(grid, row, col);
}

TCellRec *TCellInfo::CheckNil()
{
    if (!m_rec) {
        m_rec = std::make_unique<TCellRec>();
        SetDefault();
    }
    return m_rec.get();
}

void TCellInfo::SetDefault()
{
    if (!m_rec)
        return;
    if (const TQorColumn *column = GetColumn())
        m_rec->Style = column->Style();
    else
        m_rec->Style.BackColor = GetGrid() ? GetGrid()->GetColor() : clWhite;
    if (GetGrid()) {
        m_rec->Style.Alignment = GetGrid()->GetDefaultAlignment(GetRow(), m_col);
        m_rec->Style.CellType = GetGrid()->GetDefaultCellType(GetRow(), m_col);
    }
}

// The same as SetDefault gives a fresh record.
TCellStyle TCellInfo::DefaultStyle() const
{
    TCellStyle style;
    if (const TQorColumn *column = GetColumn())
        style = column->Style();
    else
        style.BackColor = GetGrid() ? GetGrid()->GetColor() : clWhite;
    if (GetGrid()) {
        style.Alignment = GetGrid()->GetDefaultAlignment(GetRow(), m_col);
        style.CellType = GetGrid()->GetDefaultCellType(GetRow(), m_col);
    }
    return style;
}

void TCellInfo::AdoptRec(TCellRec &&Rec)
{
    Q_ASSERT(!m_rec);
    m_rec = std::make_unique<TCellRec>(std::move(Rec));
}

// --- Attributes of the cell alone

#define QOR_CELL_ONLY(Type, Name, field, fallback)                                                                   \
    Type TCellInfo::Get##Name() const { return m_rec ? Type(m_rec->field) : Type(fallback); }                      \
    void TCellInfo::Set##Name(AttrArg<Type> Value)                                                                 \
    {                                                                                                              \
        if (Get##Name() == Value)                                                                                  \
            return;                                                                                                \
        CheckNil()->field = Value;                                                                                 \
        DrawSelf();                                                                                                \
    }

QOR_CELL_ONLY(bool, Checked, Checked, false)
QOR_CELL_ONLY(bool, Ctl3D, Ctl3D, false)
QOR_CELL_ONLY(QString, FieldName, FieldName, QString())
QOR_CELL_ONLY(int, TabNextRow, TabNextRow, -1)
QOR_CELL_ONLY(int, TabNextCol, TabNextCol, -1)
QOR_CELL_ONLY(bool, SetParentFont, SetParentFont, false)
QOR_CELL_ONLY(bool, Added, Added, false)
QOR_CELL_ONLY(int, MergeRow, MergeRow, -1)
QOR_CELL_ONLY(int, MergeCol, MergeCol, -1)
QOR_CELL_ONLY(bool, NeedDraw, NeedDraw, true)

#undef QOR_CELL_ONLY

int TCellInfo::GetRows() const { return m_rec ? m_rec->Rows : 1; }
int TCellInfo::GetCols() const { return m_rec ? m_rec->Cols : 1; }

// Extents go through the grid's merge table, which clips them and absorbs overlapping areas.
void TCellInfo::SetRows(int Value)
{
    if (GetGrid() && GridPrivate::get(*GetGrid()).merges)
        GridPrivate::get(*GetGrid()).merges->SetExtent(*this, Value, true);
    else if (Value > 0)
        CheckNil()->Rows = Value;
}

void TCellInfo::SetCols(int Value)
{
    if (GetGrid() && GridPrivate::get(*GetGrid()).merges)
        GridPrivate::get(*GetGrid()).merges->SetExtent(*this, Value, false);
    else if (Value > 0)
        CheckNil()->Cols = Value;
}

int TCellInfo::GetItemIndex() const
{
    if (const CellExtras *x = GetCellType() == ctCombo ? PeekExtras() : nullptr; x && x->items && x->items->Count() > 0)
        return x->items->IndexOf(m_text);
    return m_rec ? m_rec->ItemIndex : -1;
}

void TCellInfo::SetItemIndex(int Value)
{
    if (GetItemIndex() == Value)
        return;
    CheckNil()->ItemIndex = Value;
    DrawSelf();
}

QString TCellInfo::GetName() const { return m_rec ? m_rec->Name : QString(); }

void TCellInfo::SetName(const QString &Value)
{
    const QString old = GetName();
    if (old == Value)
        return;
    GridPrivate &d = GridPrivate::get(*GetGrid());
    TCellInfo *displaced = nullptr;
    const auto outcome = d.names.RenameCell(this, old, Value, d.loading, &displaced);
    if (outcome == NameRegistry::Outcome::Conflict) {
        platform::MessageBox(GetGrid(), QStringLiteral("名为 %1 的单元格已经存在").arg(Value), QStringLiteral("提示"),
                             platform::MB_OK | platform::MB_ICONINFORMATION);
        return;
    }
    if (displaced && displaced->m_rec)
        displaced->m_rec->Name.clear();
    CheckNil()->Name = Value;
}

QString TCellInfo::GetLeftText() const { return m_rec ? m_rec->LeftText : QString(); }
QString TCellInfo::GetRightText() const { return m_rec ? m_rec->RightText : QString(); }

// A diagonal header cell shows its two texts instead of Text, so a non-empty one empties Text.
void TCellInfo::SetLeftText(const QString &Value)
{
    if (GetLeftText() == Value)
        return;
    CheckNil()->LeftText = Value;
    if (!Value.isEmpty())
        SetText(QString());
    DrawSelf();
}

void TCellInfo::SetRightText(const QString &Value)
{
    if (GetRightText() == Value)
        return;
    CheckNil()->RightText = Value;
    if (!Value.isEmpty())
        SetText(QString());
    DrawSelf();
}

// --- Owned objects

TQorFont &TCellInfo::Font()
{
    CellExtras &x = Extras();
    if (!x.font)
        x.font = std::make_unique<TQorFont>(GetGrid()->GetFont());
    return *x.font;
}

const TQorFont *TCellInfo::PeekFont() const
{
    const CellExtras *x = PeekExtras();
    return x ? x->font.get() : nullptr;
}

void TCellInfo::SetFont(const TQorFont &Value)
{
    if (PeekFont() && *PeekFont() == Value)
        return;
    Font() = Value;
    GridPrivate::get(*GetGrid()).editorStyleChanged(GetRow(), m_col);
    DrawSelf();
}

TQorStrings &TCellInfo::Items()
{
    CellExtras &x = Extras();
    if (!x.items) {
        const TQorColumn *column = GetColumn();
        x.items = std::make_unique<TQorStrings>(column ? column->GetItems() : TQorStrings());
    }
    return *x.items;
}

const TQorStrings *TCellInfo::PeekItems() const
{
    const CellExtras *x = PeekExtras();
    return x ? x->items.get() : nullptr;
}

void TCellInfo::SetItems(const TQorStrings &Value)
{
    Items() = Value;
    DrawSelf();
}

TQorPicture &TCellInfo::Graphic()
{
    CellExtras &x = Extras();
    if (!x.graphic) {
        const TQorColumn *column = GetColumn();
        x.graphic = std::make_unique<TQorPicture>(column ? column->GetGraphic() : TQorPicture());
    }
    return *x.graphic;
}

const TQorPicture *TCellInfo::PeekGraphic() const
{
    const CellExtras *x = PeekExtras();
    return x ? x->graphic.get() : nullptr;
}

void TCellInfo::SetGraphic(const TQorPicture &Value)
{
    Graphic() = Value;
    DrawSelf();
}

QByteArray TCellInfo::GetRichText() const
{
    const CellExtras *x = PeekExtras();
    return x ? x->richText : QByteArray();
}

void TCellInfo::SetRichText(const QByteArray &Value)
{
    if (GetRichText() == Value)
        return;
    Extras().richText = Value;
    DrawSelf();
}

bool TCellInfo::LoadRichTextFromStream(QIODevice &Stream)
{
    if (!Stream.isReadable())
        return false;
    const QByteArray bytes = Stream.readAll();
    // An editor open on the cell would later write its old content over the new one.
    HideEditor();
    SetRichText(bytes);
    TCustomQorGrid *grid = GetGrid();
    const int row = GetRow();
    const int col = m_col;
    if (GridPrivate::get(*grid).loading || m_loading)
        return true;
    if (grid->OnChange)
        grid->OnChange(grid, row, col);
    if (grid->OnUpdateData)
        grid->OnUpdateData(grid, row, col);
    return true;
}

bool TCellInfo::LoadRichTextFromFile(const QString &FileName)
{
    QFile file(FileName);
    return file.open(QIODevice::ReadOnly) && LoadRichTextFromStream(file);
}

bool TCellInfo::SaveRichTextToStream(QIODevice &Stream) const
{
    const QByteArray bytes = GetRichText();
    return Stream.isWritable() && Stream.write(bytes) == bytes.size();
}

bool TCellInfo::SaveRichTextToFile(const QString &FileName) const
{
    QSaveFile file(FileName);
    return file.open(QIODevice::WriteOnly) && SaveRichTextToStream(file) && file.commit();
}

void TCellInfo::SetCellAdapter(std::shared_ptr<ICellAdapter> Adapter)
{
    if (!Adapter && !m_hasExtras)
        return;
    CellExtras &x = Extras();
    x.adapter = std::move(Adapter);
    if (x.adapter)
        x.adapter->SetCell(this);
}

ICellAdapter *TCellInfo::GetCellAdapter() const
{
    const CellExtras *x = PeekExtras();
    return x ? x->adapter.get() : nullptr;
}

// --- Neighbours

TCellInfo *TCellInfo::TopCellByIndex(int n) const { return GetGrid()->Cells(GetRow() - n, m_col); }
TCellInfo *TCellInfo::BottomCellByIndex(int n) const { return GetGrid()->Cells(GetRow() + n, m_col); }
TCellInfo *TCellInfo::LeftCellByIndex(int n) const { return GetGrid()->Cells(GetRow(), m_col - n); }
TCellInfo *TCellInfo::RightCellByIndex(int n) const { return GetGrid()->Cells(GetRow(), m_col + n); }

bool TCellInfo::GetSelected() const { return GridPrivate::get(*GetGrid()).selection.contains(m_col, GetRow()); }

// --- Copying

void TCellInfo::InternalAssign(const TCellInfo &Source)
{
    if (&Source == this)
        return;
    m_text = Source.m_text;
    m_numberKnown = Source.m_numberKnown;
    m_isNumber = Source.m_isNumber;
    // The name stays with this cell: names are unique within the grid.
    const QString name = GetName();
    if (Source.m_rec) {
        m_rec = std::make_unique<TCellRec>(*Source.m_rec);
        m_rec->Name = name;
    } else if (m_rec) {
        if (name.isEmpty())
            m_rec.reset();
        else
            SetDefault();
    }
    if (const CellExtras *source = Source.PeekExtras(); source && !source->empty()) {
        const CellExtras &s = *source;
        CellExtras &x = Extras();
        x.font = s.font ? std::make_unique<TQorFont>(*s.font) : nullptr;
        x.items = s.items ? std::make_unique<TQorStrings>(*s.items) : nullptr;
        x.graphic = s.graphic ? std::make_unique<TQorPicture>(*s.graphic) : nullptr;
        x.richText = s.richText;
    } else if (CellExtras *mine = PeekExtras()) {
        std::shared_ptr<ICellAdapter> adapter = std::move(mine->adapter);
        DropExtras();
        if (adapter)
            Extras().adapter = std::move(adapter);
    }
}

void TCellInfo::InternalAssignFormat(const TCellInfo &Source)
{
    InternalAssign(Source);
    m_text.clear();
    m_numberKnown = false;
}

void TCellInfo::Assign(const TCellInfo &Source)
{
    if (&Source == this)
        return;
    const QString oldText = m_text;
    const QString newText = Source.m_text;
    InternalAssign(Source);
    // The text goes through SetText so that formulas, bound fields and events follow.
    m_text = oldText;
    SetText(newText);
    DrawSelf();
}

// --- Painting and editing hooks

void TCellInfo::DrawSelf() const
{
    if (GetGrid())
        GridPrivate::get(*GetGrid()).repaintCell(GetRow(), m_col);
}

void TCellInfo::HideEditor() const
{
    GridPrivate &d = GridPrivate::get(*GetGrid());
    if (d.editorOpenOn(GetRow(), m_col))
        d.hideEditor();
}

// --- Comparison with an untouched cell

bool notDefaultCell(const TCellInfo *Cell)
{
    if (!Cell)
        return false;
    if (!Cell->GetText().isEmpty())
        return true;
    const TQorColumn *column = Cell->GetColumn();
    if (const TCellRec *rec = Cell->GetRec()) {
        TCellStyle inherited = column ? column->Style() : TCellStyle();
        if (TCustomQorGrid *grid = Cell->GetGrid()) {
            inherited.Alignment = grid->GetDefaultAlignment(Cell->GetRow(), Cell->GetCol());
            inherited.CellType = grid->GetDefaultCellType(Cell->GetRow(), Cell->GetCol());
        }
        if (!(rec->Style == inherited))
            return true;
        const TCellRec fresh;
        if (rec->Name != fresh.Name || rec->FieldName != fresh.FieldName || rec->LeftText != fresh.LeftText ||
            rec->RightText != fresh.RightText || rec->ItemIndex != fresh.ItemIndex ||
            rec->TabNextRow != fresh.TabNextRow || rec->TabNextCol != fresh.TabNextCol || rec->Rows != fresh.Rows ||
            rec->Cols != fresh.Cols || rec->MergeRow != fresh.MergeRow || rec->MergeCol != fresh.MergeCol ||
            rec->Lines != fresh.Lines || rec->Frames != fresh.Frames || rec->Checked != fresh.Checked ||
            rec->Ctl3D != fresh.Ctl3D || rec->NeedDraw != fresh.NeedDraw || rec->SetParentFont != fresh.SetParentFont)
            return true;
        for (int e = 0; e < 4; ++e)
            if (rec->FrameWidth[e] != fresh.FrameWidth[e] || rec->FrameColor[e] != fresh.FrameColor[e] ||
                rec->FrameStyle[e] != fresh.FrameStyle[e])
                return true;
    }
    if (const TQorFont *font = Cell->PeekFont(); font && Cell->GetGrid() && !(*font == Cell->GetGrid()->GetFont()))
        return true;
    if (const TQorStrings *items = Cell->PeekItems(); items && !(column && *items == column->GetItems()) &&
                                                      !(items->Count() == 0 && !column))
        return true;
    if (const TQorPicture *pic = Cell->PeekGraphic(); pic && !(column ? *pic == column->GetGraphic() : pic->IsEmpty()))
        return true;
    return !Cell->GetRichText().isEmpty();
}

} // namespace qor
