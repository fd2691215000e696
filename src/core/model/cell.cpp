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

static const CellHome kNoHome;

TCellInfo::TCellInfo(const CellHome *Home, int Row, int Col) : m_grid(Home), m_storedRow(Row), m_col(Col) {}

TCellInfo *TCellInfo::Create(TCustomQorGrid *Grid, int Row, int Col)
{
    if (!Grid) {
        auto *cell = ::new (::operator new(sizeof(TCellInfo))) TCellInfo(&kNoHome, Row, Col);
        return cell;
    }
    void *block = GridPrivate::get(*Grid).cellPool.Allocate();
    // Outside the store until it is put there: the row is absolute.
    auto *cell = ::new (block) TCellInfo(&GridPrivate::get(*Grid).cells.LooseHome(), Row, Col);
    cell->m_pooled = true;
    return cell;
}

void TCellInfo::operator delete(TCellInfo *cell, std::destroying_delete_t)
{
    TCustomQorGrid *grid = cell->m_grid;
    const bool pooled = cell->m_pooled;
    cell->~TCellInfo();
    if (pooled)
        GridPrivate::get(*grid).cellPool.Release(cell);
    else
        ::operator delete(cell);
}

TCellInfo::~TCellInfo()
{
    if (!m_grid)
        return;
    GridPrivate &d = GridPrivate::get(*m_grid);
    if (m_rec && !m_rec->Name.isEmpty())
        d.names.ForgetCell(this, m_rec->Name);
    d.seams.formulas->CellFreed(*this);
    d.merges->CellFreed(*this);
}

TQorColumn *TCellInfo::GetColumn() const { return m_grid ? m_grid->Columns(m_col) : nullptr; }

CellExtras &TCellInfo::Extras()
{
    if (!m_extras)
        m_extras = std::make_unique<CellExtras>();
    return *m_extras;
}

void TCellInfo::SetText(const QString &Value)
{
    if (Value == m_text)
        return;
    m_numberKnown = false;
    TCustomQorGrid *grid = m_grid;
    GridPrivate &d = GridPrivate::get(*grid);
    const int row = GetRow();
    const int col = m_col;
    const bool loading = d.loading || m_loading;
    if (!loading && d.seams.binding->IsBound(row, col))
        d.seams.binding->WriteField(row, col, Value);
    d.seams.formulas->TextReplacing(*this, m_text, Value);
    m_text = Value;
    if (!Value.isEmpty() && m_rec) {
        m_rec->LeftText.clear();
        m_rec->RightText.clear();
    }
    if (!loading) {
        const TCellType type = GetCellType();
        if (type == ctCombo && m_rec && m_extras && m_extras->items && m_extras->items->Count() > 0)
            m_rec->ItemIndex = m_extras->items->IndexOf(Value);
        else if (type == ctRichEdit)
            if (auto rich = d.seams.richText->FromPlain(Value, PeekFont()))
                Extras().richText = *rich;
    }
    DrawSelf();
    if (d.editorOpenOn(row, col))
        d.putEditorText(Value);
    if (!loading)
        d.seams.dataOps->ColumnTextChanged(col);
    d.seams.formulas->TextStored(*this, !d.locked());
    if (!d.locked())
        d.seams.formulas->RecalcDependents(*this);
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
        m_rec->Style.BackColor = m_grid ? m_grid->GetColor() : clWhite;
    if (m_grid) {
        m_rec->Style.Alignment = m_grid->GetDefaultAlignment(GetRow(), m_col);
        m_rec->Style.CellType = m_grid->GetDefaultCellType(GetRow(), m_col);
    }
}

// The same as SetDefault gives a fresh record.
TCellStyle TCellInfo::DefaultStyle() const
{
    TCellStyle style;
    if (const TQorColumn *column = GetColumn())
        style = column->Style();
    else
        style.BackColor = m_grid ? m_grid->GetColor() : clWhite;
    if (m_grid) {
        style.Alignment = m_grid->GetDefaultAlignment(GetRow(), m_col);
        style.CellType = m_grid->GetDefaultCellType(GetRow(), m_col);
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
    if (m_grid && GridPrivate::get(*m_grid).merges)
        GridPrivate::get(*m_grid).merges->SetExtent(*this, Value, true);
    else if (Value > 0)
        CheckNil()->Rows = Value;
}

void TCellInfo::SetCols(int Value)
{
    if (m_grid && GridPrivate::get(*m_grid).merges)
        GridPrivate::get(*m_grid).merges->SetExtent(*this, Value, false);
    else if (Value > 0)
        CheckNil()->Cols = Value;
}

int TCellInfo::GetItemIndex() const
{
    if (GetCellType() == ctCombo && m_extras && m_extras->items && m_extras->items->Count() > 0)
        return m_extras->items->IndexOf(m_text);
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
    GridPrivate &d = GridPrivate::get(*m_grid);
    TCellInfo *displaced = nullptr;
    const auto outcome = d.names.RenameCell(this, old, Value, d.loading, &displaced);
    if (outcome == NameRegistry::Outcome::Conflict) {
        platform::MessageBox(m_grid, QStringLiteral("名为 %1 的单元格已经存在").arg(Value), QStringLiteral("提示"),
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
        x.font = std::make_unique<TQorFont>(m_grid->GetFont());
    return *x.font;
}

const TQorFont *TCellInfo::PeekFont() const { return m_extras ? m_extras->font.get() : nullptr; }

void TCellInfo::SetFont(const TQorFont &Value)
{
    if (PeekFont() && *PeekFont() == Value)
        return;
    Font() = Value;
    GridPrivate::get(*m_grid).editorStyleChanged(GetRow(), m_col);
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

const TQorStrings *TCellInfo::PeekItems() const { return m_extras ? m_extras->items.get() : nullptr; }

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

const TQorPicture *TCellInfo::PeekGraphic() const { return m_extras ? m_extras->graphic.get() : nullptr; }

void TCellInfo::SetGraphic(const TQorPicture &Value)
{
    Graphic() = Value;
    DrawSelf();
}

QByteArray TCellInfo::GetRichText() const { return m_extras ? m_extras->richText : QByteArray(); }

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
    TCustomQorGrid *grid = m_grid;
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
    if (!Adapter && !m_extras)
        return;
    Extras().adapter = std::move(Adapter);
    if (m_extras->adapter)
        m_extras->adapter->SetCell(this);
}

ICellAdapter *TCellInfo::GetCellAdapter() const { return m_extras ? m_extras->adapter.get() : nullptr; }

// --- Neighbours

TCellInfo *TCellInfo::TopCellByIndex(int n) const { return m_grid->Cells(GetRow() - n, m_col); }
TCellInfo *TCellInfo::BottomCellByIndex(int n) const { return m_grid->Cells(GetRow() + n, m_col); }
TCellInfo *TCellInfo::LeftCellByIndex(int n) const { return m_grid->Cells(GetRow(), m_col - n); }
TCellInfo *TCellInfo::RightCellByIndex(int n) const { return m_grid->Cells(GetRow(), m_col + n); }

bool TCellInfo::GetSelected() const { return GridPrivate::get(*m_grid).selection.contains(m_col, GetRow()); }

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
    if (Source.m_extras && !Source.m_extras->empty()) {
        CellExtras &x = Extras();
        const CellExtras &s = *Source.m_extras;
        x.font = s.font ? std::make_unique<TQorFont>(*s.font) : nullptr;
        x.items = s.items ? std::make_unique<TQorStrings>(*s.items) : nullptr;
        x.graphic = s.graphic ? std::make_unique<TQorPicture>(*s.graphic) : nullptr;
        x.richText = s.richText;
    } else if (m_extras) {
        std::shared_ptr<ICellAdapter> adapter = std::move(m_extras->adapter);
        m_extras.reset();
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
    if (m_grid)
        GridPrivate::get(*m_grid).repaintCell(GetRow(), m_col);
}

void TCellInfo::HideEditor() const
{
    GridPrivate &d = GridPrivate::get(*m_grid);
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
