// Columns and their titles.
#include "core/model/column.h"

#include <string_view>

#include "core/model/cell.h"
#include "core/model/cell_p.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/style_attributes_p.h"
#include "platform/message_box.h"

namespace qor {

// --- Title

TQorColumnTitle::TQorColumnTitle(TQorColumn *Column) : m_column(Column), m_color(clBtnFace)
{
    if (TCustomQorGrid *grid = Column ? Column->GetGrid() : nullptr) {
        m_font = grid->GetColumnTitleFont();
        m_color = grid->GetTitleColor();
        m_alignment = grid->GetColumnTitleAlign();
    }
}

void TQorColumnTitle::Changed()
{
    if (m_column && m_column->GetGrid())
        GridPrivate::get(*m_column->GetGrid()).repaintColumnHeader();
}

void TQorColumnTitle::SetCaption(const QString &Value)
{
    if (m_caption == Value)
        return;
    m_caption = Value;
    Changed();
}

void TQorColumnTitle::SetAlignment(TAlignment Value)
{
    if (m_alignment == Value)
        return;
    m_alignment = Value;
    Changed();
}

void TQorColumnTitle::SetFont(const TQorFont &Value)
{
    if (m_font == Value)
        return;
    m_font = Value;
    Changed();
}

void TQorColumnTitle::SetColor(TColor Value)
{
    if (m_color == Value)
        return;
    m_color = Value;
    Changed();
}

void TQorColumnTitle::SetColumnTitleAdapter(std::shared_ptr<IColumnTitleAdapter> Adapter)
{
    m_adapter = std::move(Adapter);
    if (m_adapter)
        m_adapter->SetColumnTitle(this);
}

void TQorColumnTitle::Assign(const TQorColumnTitle &Source)
{
    m_caption = Source.m_caption;
    m_alignment = Source.m_alignment;
    m_font = Source.m_font;
    m_color = Source.m_color;
    Changed();
}

// --- Column

TQorColumn::TQorColumn(TCustomQorGrid *Grid, int Index) : m_grid(Grid), m_index(Index), m_title(this)
{
    if (m_grid)
        m_style.BackColor = m_grid->GetColor();
}

TQorColumn::~TQorColumn()
{
    if (m_grid && !m_name.isEmpty())
        GridPrivate::get(*m_grid).names.ForgetColumn(this, m_name);
}

int TQorColumn::GetWidth() const { return m_grid ? GridPrivate::get(*m_grid).colAxis.VisibleSize(m_index) : 0; }

double TQorColumn::GetPhyWidth() const
{
    const Axis &axis = GridPrivate::get(*m_grid).colAxis;
    return axis.Valid(m_index) ? axis.Entry(m_index).savedPhySize : 0;
}

bool TQorColumn::GetVisible() const
{
    const Axis &axis = GridPrivate::get(*m_grid).colAxis;
    return axis.Valid(m_index) && axis.Entry(m_index).visible;
}

int TQorColumn::GetRight() const { return int(std::min<int64_t>(GridPrivate::get(*m_grid).colAxis.Edge(m_index), INT_MAX)); }

void TQorColumn::SetName(const QString &Value)
{
    if (m_name == Value)
        return;
    GridPrivate &d = GridPrivate::get(*m_grid);
    TQorColumn *displaced = nullptr;
    if (d.names.RenameColumn(this, m_name, Value, d.loading, &displaced) == NameRegistry::Outcome::Conflict) {
        platform::MessageBox(m_grid, QStringLiteral("名为 %1 的列已经存在").arg(Value), QStringLiteral("提示"),
                             platform::MB_OK | platform::MB_ICONINFORMATION);
        return;
    }
    if (displaced)
        displaced->m_name.clear();
    m_name = Value;
}

void TQorColumn::SetFieldName(const QString &Value)
{
    m_fieldName = Value;
    m_field = nullptr;
    if (m_grid)
        GridPrivate::get(*m_grid).seams.binding->ColumnFieldNameSet(*this);
}

void TQorColumn::SetFormulaType(TFormulaType Value)
{
    if (m_formulaType == Value)
        return;
    m_formulaType = Value;
    if (!m_grid)
        return;
    GridPrivate::get(*m_grid).repaintAll();
    GridPrivate::get(*m_grid).seams.dataOps->ReGroup();
}

// Stores a change in the column and in the record of every cell of the column that has one.
template <class Apply>
void TQorColumn::ChangeAttribute(bool closesEditor, Apply &&apply)
{
    if (closesEditor)
        HideGridEditor();
    apply(m_style);
    GridPrivate &d = GridPrivate::get(*m_grid);
    m_grid->BeginUpdate();
    for (int row = 0; row < d.rows; ++row)
        if (TCellInfo *cell = d.cells.At(row, m_index); cell && cell->GetRec())
            apply(cell->GetRec()->Style);
    m_grid->EndUpdate();
    const int current = m_grid->GetRow();
    if (current >= 0 && m_grid->GetCol() == m_index)
        d.editorStyleChanged(current, m_index);
    d.repaintAll();
}

#define QOR_COLUMN_STYLE(Type, Name, Default, Bits)                                                                  \
    Type TQorColumn::Get##Name() const { return static_cast<Type>(m_style.Name); }                                 \
    void TQorColumn::Set##Name(AttrArg<Type> Value)                                                                \
    {                                                                                                              \
        const auto stored = ToStorage(Value);                                                                      \
        ChangeAttribute(closesEditor(#Name), [&stored](TCellStyle &s) { s.Name = stored; });                       \
    }

QOR_STYLE_ATTRIBUTES(QOR_COLUMN_STYLE)

#undef QOR_COLUMN_STYLE

void TQorColumn::SetItems(const TQorStrings &Value) { m_items = Value; }

void TQorColumn::SetGraphic(const TQorPicture &Value)
{
    m_graphic = Value;
    GridPrivate::get(*m_grid).repaintAll();
}

void TQorColumn::SetDefault()
{
    TCellStyle fresh;
    fresh.BackColor = m_grid ? m_grid->GetColor() : clWhite;
    HideGridEditor();
    m_style = fresh;
    m_fieldName.clear();
    m_field = nullptr;
    m_formulaType = ftNone;
    m_items.Clear();
    m_graphic.Clear();
    if (m_grid)
        GridPrivate::get(*m_grid).repaintAll();
}

void TQorColumn::Assign(const TQorColumn &Source)
{
    if (&Source == this)
        return;
    const TCellStyle style = Source.m_style;
    ChangeAttribute(true, [&style](TCellStyle &s) { s = style; });
    m_title.Assign(Source.m_title);
    m_fieldName = Source.m_fieldName;
    m_field = m_grid && Source.m_grid == m_grid ? Source.m_field : nullptr;
    m_formulaType = Source.m_formulaType;
    m_items = Source.m_items;
    m_graphic = Source.m_graphic;
}

void TQorColumn::SetColumnAdapter(std::shared_ptr<IColumnAdapter> Adapter)
{
    m_adapter = std::move(Adapter);
    if (m_adapter)
        m_adapter->SetColumn(this);
}

void TQorColumn::HideGridEditor() const
{
    if (!m_grid)
        return;
    GridPrivate &d = GridPrivate::get(*m_grid);
    if (d.editorOpen() && m_grid->GetCol() == m_index)
        d.hideEditor();
}

} // namespace qor
