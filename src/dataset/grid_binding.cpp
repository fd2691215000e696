#include "dataset/grid_binding_p.h"

#include <QBuffer>
#include <QScrollBar>
#include "core/edit/editor_controller_p.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "data/data_operations_p.h"
#include "dataset/blob_viewer.h"
#include "io/cells_block.h"
#include "platform/db/database_error.h"
#include "platform/message_box.h"

namespace qor {

namespace {

const QString kUniDirectional = QStringLiteral("不可以在单向数据集上操作");

bool editing(const db::TDataSet *ds)
{
    return ds && (ds->State() == db::dsEdit || ds->State() == db::dsInsert);
}

// Restores a flag and the data set's controls however the work in between ends.
class Quiet {
public:
    Quiet(bool &flag, db::TDataSet *ds) : m_flag(flag), m_saved(flag), m_ds(ds)
    {
        m_flag = true;
        if (m_ds)
            m_ds->DisableControls();
    }
    ~Quiet()
    {
        if (m_ds)
            m_ds->EnableControls();
        m_flag = m_saved;
    }
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;

private:
    bool &m_flag;
    bool m_saved;
    QPointer<db::TDataSet> m_ds;
};

} // namespace

void GridBinding::Install(TCustomQorGrid &grid)
{
    GridPrivate::get(grid).seams.binding = std::make_unique<GridBinding>(grid);
}

GridBinding::GridBinding(TCustomQorGrid &grid) : q(grid) {}

GridBinding::~GridBinding()
{
    m_destroying = true;
    removeRefreshHook();
    m_detailLink.reset();
    m_masterLink.reset();
}

GridBinding &GridBinding::Of(const TCustomQorGrid &grid)
{
    return *GridPrivate::get(grid).seams.binding->Binding();
}

GridPrivate &GridBinding::d() const { return GridPrivate::get(q); }

bool GridBinding::refuse(const std::exception &e) const
{
    const auto *db = dynamic_cast<const db::EDatabaseError *>(&e);
    q.MessageBox(db ? db->Message() : QString::fromUtf8(e.what()), QStringLiteral("提示"),
                 platform::MB_OK | platform::MB_ICONERROR);
    return false;
}

// --- Sources

db::TDataSet *GridBinding::DetailDataSet() const { return m_dataSource ? m_dataSource->DataSet() : nullptr; }

db::TDataSet *GridBinding::MasterDataSet() const { return m_masterSource ? m_masterSource->DataSet() : nullptr; }

bool GridBinding::DetailActive() const
{
    const db::TDataSet *ds = DetailDataSet();
    return ds && ds->Active() && m_detailLink && m_detailLink->Active();
}

bool GridBinding::MasterActive() const
{
    const db::TDataSet *ds = MasterDataSet();
    return ds && ds->Active() && m_masterLink;
}

void GridBinding::checkUniDirectional(db::TDataSource *source) const
{
    if (source && source->DataSet() && source->DataSet()->IsUniDirectional())
        throw db::EDatabaseError(kUniDirectional);
}

void GridBinding::SetDataSource(db::TDataSource *source)
{
    if (source == m_dataSource && m_detailLink)
        return;
    checkUniDirectional(source);
    q.BeginUpdate();
    removeRefreshHook();
    if (!m_detailLink)
        m_detailLink = std::make_unique<TQorGridDataLink>(*this, false);
    {
        Quiet quiet(suppress, source ? source->DataSet() : nullptr);
        m_detailLink->SetBufferCount(1);
    }
    m_dataSource = source;
    // Attaching makes an open data set's link active: the rows follow at once.
    m_detailLink->SetDataSource(source);
    if (db::TDataSet *ds = DetailDataSet(); ds && ds->CountsFetchedOnly())
        installRefreshHook(ds);
    UpdateFields();
    q.EndUpdate();
    d().repaintAll();
}

void GridBinding::SetMasterDataSource(db::TDataSource *source)
{
    if (source == m_masterSource && m_masterLink)
        return;
    checkUniDirectional(source);
    if (!m_masterLink)
        m_masterLink = std::make_unique<TQorGridDataLink>(*this, true);
    m_masterSource = source;
    m_masterLink->SetDataSource(source);
    d().repaintAll();
}

void GridBinding::installRefreshHook(db::TDataSet *ds)
{
    m_hooked = ds;
    m_previousAfterRefresh = ds->AfterRefresh;
    ds->AfterRefresh = [this](db::TDataSet &set) {
        // The refresh told the rows of the first records only; they follow the whole set.
        if (set.Active() && m_detailLink) {
            fetchAll(set);
            DataChanged(*m_detailLink);
        }
        if (m_previousAfterRefresh)
            m_previousAfterRefresh(set);
    };
}

void GridBinding::removeRefreshHook()
{
    if (m_hooked)
        m_hooked->AfterRefresh = m_previousAfterRefresh;
    m_hooked = nullptr;
    m_previousAfterRefresh = nullptr;
}

void GridBinding::fetchAll(db::TDataSet &ds)
{
    Quiet quiet(fetching, &ds);
    const db::TDataSet::TBookmark mark = ds.GetBookmark();
    ds.Last();
    if (ds.BookmarkValid(mark))
        ds.GotoBookmark(mark);
}

void GridBinding::setBufferCount(int count)
{
    if (!m_detailLink || m_detailLink->BufferCount() == count)
        return;
    Quiet quiet(suppress, DetailDataSet());
    m_detailLink->SetBufferCount(count);
}

// --- Rows, records and fields

void GridBinding::UpdateFields()
{
    db::TDataSet *ds = DetailDataSet();
    const bool active = ds && ds->Active();
    for (int c = 0; c < d().cols; ++c) {
        TQorColumn *column = d().column(c);
        column->SetField(active && !column->GetFieldName().isEmpty() ? ds->FindField(column->GetFieldName()) : nullptr);
    }
    m_pictures.clear();
}

db::TField *GridBinding::FindField(const QString &name) const
{
    db::TDataSet *ds = DetailDataSet();
    return ds && ds->Active() ? ds->FindField(name) : nullptr;
}

bool GridBinding::recordsNumbered() const
{
    if (d().misc.grouped)
        return true;
    const DataOperations *ops = d().seams.dataOps->Operations();
    return ops && ops->recordNumbersAssigned;
}

// 0-based record of a body row: the number stored with the row once sorting or grouping
// reordered the rows, else the row's place in the body.
int GridBinding::recordOf(int row) const
{
    if (row < 0 || row >= d().rows)
        return -1;
    if (recordsNumbered())
        return d().rowInfo[size_t(row)].group1 - 1;
    return row - d().layout.titleRows;
}

int GridBinding::GetActiveRow(int row) const
{
    if (recordsNumbered())
        return row >= 0 && row < d().rows ? d().rowInfo[size_t(row)].group1 : 0;
    return row - d().layout.titleRows + 1;
}

int GridBinding::GetRowByActiveRecord(int index) const
{
    if (recordsNumbered()) {
        for (int r = d().layout.titleRows; r < d().rows; ++r)
            if (d().rowInfo[size_t(r)].group1 == index + 1)
                return r;
        return -1;
    }
    return d().layout.titleRows + index;
}

bool GridBinding::InDBBody(int row) const
{
    const db::TDataSet *ds = DetailDataSet();
    if (!DetailActive() || !TCustomQorGrid::DataSetRecordCount(ds) || row < 0 || row >= d().rows)
        return false;
    if (d().misc.grouped)
        return d().rowInfo[size_t(row)].group1 > 0;
    if (row < d().layout.titleRows || row > d().rows - d().layout.footerRows - 1)
        return false;
    const int count = ds->RecordCount() + (ds->State() == db::dsInsert ? 1 : 0);
    const int record = recordOf(row);
    return record >= 0 && record <= count - 1;
}

bool GridBinding::IsBodyDBCell(int row, int col) const
{
    const TQorColumn *column = d().column(col);
    return column && column->GetField() && !column->GetFieldName().isEmpty() && InDBBody(row);
}

int GridBinding::GetDBNo(int row, int col) const { return IsBodyDBCell(row, col) ? recordOf(row) : -1; }

db::TField *GridBinding::MasterDBField(int row, int col) const
{
    if (!MasterActive())
        return nullptr;
    const TCellInfo *cell = d().cells.At(row, col);
    if (!cell)
        return nullptr;
    const QString name = cell->GetFieldName();
    return name.isEmpty() ? nullptr : MasterDataSet()->FindField(name);
}

db::TField *GridBinding::BoundField(int row, int col, int *record) const
{
    if (db::TField *f = MasterDBField(row, col)) {
        if (record)
            *record = -1;
        return f;
    }
    if (!IsBodyDBCell(row, col))
        return nullptr;
    if (record)
        *record = recordOf(row);
    return d().column(col)->GetField();
}

bool GridBinding::DataCellReadOnly(int row, int col) const
{
    if (!IsBodyDBCell(row, col))
        return false;
    const db::TField *f = d().column(col)->GetField();
    if (f->FieldKind() == db::fkLookup)
        return false;
    return !f->CanModify() || (f->IsBlob() && f->DataType() != db::ftMemo && f->DataType() != db::ftFmtMemo);
}

QString GridBinding::GetFieldText(db::TField &field) const
{
    if (field.IsStringLike()) {
        if (field.OnGetText)
            return field.DisplayText();
        const QVariant v = field.Value();
        return v.isNull() ? QString() : v.toString();
    }
    return field.DisplayText();
}

bool GridBinding::SetFieldText(db::TField &field, const QString &text)
{
    try {
        if (field.IsStringLike())
            field.SetText(text);
        else if (field.Text() != text)
            field.SetText(text);
        return true;
    } catch (const std::exception &e) {
        return refuse(e);
    }
}

bool GridBinding::PostDataSet()
{
    db::TDataSet *ds = DetailDataSet();
    if (!editing(ds))
        return true;
    try {
        ds->UpdateRecord();
        ds->Post();
        return true;
    } catch (const std::exception &e) {
        return refuse(e);
    }
}

bool GridBinding::SetActiveRecNo(int recNo)
{
    d().hideEditor();
    db::TDataSet *ds = DetailDataSet();
    if (!DetailActive() || recNo < 1)
        return true;
    try {
        if (ds->State() == db::dsInsert) {
            if (ds->Modified())
                ds->Post();
            else
                ds->Cancel();
        }
        Quiet moving(recordMove, nullptr);
        Quiet quiet(suppress, ds);
        if (!PostDataSet())
            return false;
        const int moved = ds->MoveBy(recNo - ds->RecNo());
        if (ds->RecNo() != recNo && moved != 0)
            ds->MoveBy(recNo - ds->RecNo());
    } catch (const std::exception &e) {
        return refuse(e);
    }
    recordMove = false;
    return true;
}

bool GridBinding::UpdateRows(int oldRows, int titleRows, int footerRows)
{
    GridPrivate &g = d();
    const db::TDataSet *ds = DetailDataSet();
    int n = 4;
    if (ds && ds->Active()) {
        n = ds->RecordCount() + (ds->State() == db::dsInsert ? 1 : 0);
        if (n == 0)
            n = 1;
    }
    const int total = titleRows + n + footerRows;
    if (total == oldRows)
        return false;
    const int cols = g.cols;
    footerRows = std::min(footerRows, std::max(g.rows - titleRows, 0));
    const QByteArray titles = titleRows > 0 && cols > 0 ? SaveCellsBlock(q, 0, 0, titleRows, cols) : QByteArray();
    const QByteArray footers = footerRows > 0 && cols > 0 ? SaveCellsBlock(q, g.rows - footerRows, 0, footerRows, cols) : QByteArray();
    const int vertical = q.verticalScrollBar()->value(), horizontal = q.horizontalScrollBar()->value();
    const int oldRow = q.GetRow(), oldCol = q.GetCol();

    q.BeginUpdate();
    g.hideEditor();
    if (!q.InternalSetRows(total)) {
        q.EndUpdate();
        g.refuseSize(total, cols);
        return false;
    }
    // The extent and the scroll range follow the new row count before positions are restored.
    g.layoutChanged();
    g.seams.dataOps->ClearGrouping();
    if (DataOperations *ops = g.seams.dataOps->Operations())
        ops->recordNumbersAssigned = false;
    CellsBlockOptions sizes;
    sizes.ApplySizes = true;
    if (!titles.isEmpty())
        LoadCellsBlock(q, titles, 0, 0, sizes);
    if (titleRows > 0 && q.GetOptions().Contains(qgoAutoMerge)) {
        // Body rows repeat the horizontal merges of the title row above them.
        for (int c = 0; c < cols; ++c) {
            const TCellInfo *top = g.cells.At(titleRows - 1, c);
            if (!top || !top->GetNeedDraw() || top->GetCols() <= 1)
                continue;
            const int span = top->GetCols();
            for (int r = titleRows; r < titleRows + n; ++r)
                q.Cells(r, c)->SetCols(span);
        }
    }
    if (!footers.isEmpty())
        LoadCellsBlock(q, footers, g.rows - footerRows, 0, sizes);
    if (oldRow >= 0 && oldCol >= 0)
        g.currentIndex = int64_t(std::min(oldRow, g.rows - 1)) * cols + std::min(oldCol, cols - 1);
    else
        g.currentIndex = -1;
    q.verticalScrollBar()->setValue(vertical);
    q.horizontalScrollBar()->setValue(horizontal);
    if (footerRows > 0)
        q.ResetFormula(titleRows, 0, rfFooter);
    m_pictures.clear();
    q.EndUpdate();
    return true;
}

// --- From the links

void GridBinding::LinkActive(TQorGridDataLink &link, bool active)
{
    if (link.IsMaster()) {
        d().repaintAll();
        return;
    }
    GridPrivate &g = d();
    db::TDataSet *ds = DetailDataSet();
    if (active && ds) {
        q.BeginUpdate();
        if (userColumns || g.layout.titleRows > 0 || g.layout.footerRows > 0) {
            UpdateFields();
        } else {
            std::vector<db::TField *> visible;
            for (int i = 0; i < ds->FieldCount(); ++i)
                if (ds->Fields(i)->Visible())
                    visible.push_back(ds->Fields(i));
            const bool keep = userColumns;
            if (int(visible.size()) != g.cols)
                q.SetCols(int(visible.size()));
            for (int i = 0; i < int(visible.size()) && i < g.cols; ++i) {
                TQorColumn *column = g.column(i);
                column->SetFieldName(visible[size_t(i)]->FieldName());
                column->Title().SetCaption(visible[size_t(i)]->DisplayLabel());
            }
            userColumns = keep;
        }
        q.EndUpdate();
    } else {
        UpdateFields();
    }
    BlobViewer::ClearBindings();
    if (active && ds && ds->CountsFetchedOnly())
        fetchAll(*ds);
    UpdateRows(q.GetRows(), g.layout.titleRows, g.layout.footerRows);
    if (active && ds) {
        setBufferCount(g.rows - g.layout.titleRows - g.layout.footerRows);
        if (ds->Active() && !editing(ds) && (q.GetRow() < 0 || q.GetCol() < 0) && g.cols > 0) {
            const int row = std::clamp(ds->RecNo() + g.layout.titleRows - 1, 0, g.rows - 1);
            g.currentIndex = int64_t(row) * g.cols;
            recordMove = false;
        }
    } else {
        setBufferCount(1);
    }
    q.UpdateFormula(false);
    g.repaintAll();
}

void GridBinding::DataChanged(TQorGridDataLink &link)
{
    InternalDataChanged(link, d().layout.titleRows, d().layout.footerRows);
}

void GridBinding::InternalDataChanged(TQorGridDataLink &link, int titleRows, int footerRows)
{
    if (suppress)
        return;
    m_pictures.clear();
    if (link.IsMaster()) {
        d().repaintAll();
        return;
    }
    if (fetching)
        return;
    if (recordMove) {
        recordMove = false;
        d().repaintAll();
        return;
    }
    UpdateRows(q.RealRows(), titleRows, footerRows);
    setBufferCount(d().rows - d().layout.titleRows - d().layout.footerRows);
    DataScroll(link);
    if (!d().locked()) {
        q.UpdateFormula(false);
        d().repaintAll();
    }
}

void GridBinding::DataScroll(TQorGridDataLink &link)
{
    if (link.IsMaster()) {
        d().repaintAll();
        return;
    }
    if (recordMove) {
        recordMove = false;
        return;
    }
    db::TDataSet *ds = DetailDataSet();
    if (!ds || !ds->Active())
        return;
    GridPrivate &g = d();
    const int row = GetRowByActiveRecord(link.FirstRecord() + link.ActiveRecord());
    if (row < 0 || row >= g.rows || g.cols <= 0)
        return;
    const int col = std::max(q.GetCol(), 0);
    if (ds->State() == db::dsInsert)
        g.currentIndex = int64_t(row) * g.cols + col;
    else if (row != q.GetRow())
        q.SetFocusCell(row, col);
    recordMove = false;
    q.ShowCell(q.GetRow(), q.GetCol());
    if (editing(ds)) {
        if (q.GetOptions().Contains(qgoRowSelect) && ds->State() == db::dsInsert)
            g.selection = QRect(0, row, g.cols, 1);
        if (q.GetOptions().Contains(qgoEditing))
            q.ShowEditor();
    }
    g.repaintAll();
}

void GridBinding::LayoutChanged(TQorGridDataLink &link)
{
    if (userColumns)
        return;
    for (int c = 0; c < d().cols; ++c) {
        TQorColumn *column = d().column(c);
        if (!column->GetFieldName().isEmpty())
            if (db::TField *f = FindField(column->GetFieldName()))
                column->Title().SetCaption(f->DisplayLabel());
    }
}

void GridBinding::FocusControl(TQorGridDataLink &link, db::TField **field)
{
    if (link.IsMaster() || !field || !*field)
        return;
    q.SetSelectedField(*field);
    if (q.isEnabled()) {
        *field = nullptr;
        q.ShowEditor();
    }
}

void GridBinding::EditingChanged(TQorGridDataLink &link)
{
    if (m_cancelling)
        return;
    const int row = q.GetRow(), col = q.GetCol();
    if (row < 0 || col < 0)
        return;
    db::TDataSet *ds = link.DataSet();
    const bool applies = link.IsMaster() ? MasterDBField(row, col) != nullptr : IsBodyDBCell(row, col);
    if (!applies)
        return;
    if (editing(ds)) {
        if (!link.IsMaster()) {
            const int target = GetRowByActiveRecord(link.FirstRecord() + link.ActiveRecord());
            if (target >= 0 && target < d().rows && target != row)
                d().currentIndex = int64_t(target) * d().cols + col;
        }
        q.ShowCell(q.GetRow(), q.GetCol());
        if (q.GetOptions().Contains(qgoEditing) && !d().editor->IsOpen())
            q.ShowEditor();
    } else if (!d().editor->IsCommitting()) {
        q.HideEditor();
    }
}

void GridBinding::UpdateData(TQorGridDataLink &link)
{
    // The editor's typed text reaches the field before the record is posted.
    const int row = q.GetRow(), col = q.GetCol();
    if (row >= 0 && col >= 0 && d().editorOpenOn(row, col)) {
        const bool master = MasterDBField(row, col) != nullptr;
        if (master == link.IsMaster() && (master || IsBodyDBCell(row, col)))
            d().editor->CommitPending();
    }
    link.ClearModified();
}

void GridBinding::RecordChanged(TQorGridDataLink &link, db::TField *field)
{
    m_pictures.clear();
    // An editor open on the changed field shows the new value (unless it is the one writing).
    const int row = q.GetRow(), col = q.GetCol();
    if (field && row >= 0 && d().editorOpenOn(row, col) && !d().editor->IsCommitting()) {
        int record = -1;
        if (BoundField(row, col, &record) == field && (record < 0 || record + 1 == field->DataSet().RecNo()))
            d().putEditorText(GetFieldText(*field));
    }
    d().repaintAll();
}

// --- The seam

bool GridBinding::ControlsRowCount() const
{
    return DetailActive() && TCustomQorGrid::DataSetRecordCount(DetailDataSet());
}

bool GridBinding::IsBound(int row, int col) const
{
    if (!m_detailLink && !m_masterLink)
        return false;   // the cheap answer for every unbound grid
    return BoundField(row, col) != nullptr;
}

db::TField *GridBinding::readField(int row, int col, std::optional<db::TDataSet::RecordScope> &scope, int *record) const
{
    if (!m_detailLink && !m_masterLink)
        return nullptr;   // the cheap answer for every unbound grid
    int r = -1;
    db::TField *f = BoundField(row, col, &r);
    if (f && r >= 0)
        scope.emplace(f->DataSet(), r);
    if (record)
        *record = r;
    return f;
}

std::optional<QString> GridBinding::FieldText(int row, int col) const
{
    std::optional<db::TDataSet::RecordScope> scope;
    db::TField *f = readField(row, col, scope);
    return f ? std::optional<QString>(GetFieldText(*f)) : std::nullopt;
}

bool GridBinding::WriteField(int row, int col, const QString &value)
{
    int record = -1;
    db::TField *f = BoundField(row, col, &record);
    if (!f)
        return false;
    if (record >= 0 && record + 1 != f->DataSet().RecNo() && !SetActiveRecNo(record + 1))
        return true;
    SetFieldText(*f, value);
    return true;
}

std::optional<TCellType> GridBinding::FieldCellType(int row, int col) const
{
    if (!m_detailLink && !m_masterLink)
        return std::nullopt;
    const db::TField *f = BoundField(row, col);
    if (!f)
        return std::nullopt;
    const auto [checked, unchecked] = checkTexts(row, col);
    if (f->DataType() == db::ftBoolean || checked != unchecked)
        return ctCheckBox;
    if (f->DataType() == db::ftDate || f->DataType() == db::ftTime || f->DataType() == db::ftDateTime)
        return ctDate;
    return std::nullopt;
}

std::optional<TValueType> GridBinding::FieldValueType(int row, int col) const
{
    if (!m_detailLink && !m_masterLink)
        return std::nullopt;
    const db::TField *f = BoundField(row, col);
    if (!f)
        return std::nullopt;
    switch (f->DataType()) {
    case db::ftSmallint: case db::ftInteger: case db::ftLargeint: return vtInteger;
    case db::ftWord: return vtWord;
    case db::ftFloat: return vtFloat;
    case db::ftCurrency: return vtCurrency;
    default: return vtString;
    }
}

std::optional<QString> GridBinding::FieldEditMask(int row, int col) const
{
    if (!m_detailLink && !m_masterLink)
        return std::nullopt;
    const db::TField *f = BoundField(row, col);
    return f ? std::optional<QString>(f->EditMask()) : std::nullopt;
}

bool GridBinding::FieldReadOnly(int row, int col) const
{
    if (db::TField *f = MasterDBField(row, col))
        return !f->CanModify();
    return DataCellReadOnly(row, col);
}

void GridBinding::CancelEdit()
{
    const int row = q.GetRow(), col = q.GetCol();
    int record = -1;
    db::TField *f = row >= 0 ? BoundField(row, col, &record) : nullptr;
    if (!f || !editing(&f->DataSet()))
        return;
    m_cancelling = true;
    f->DataSet().Cancel();
    m_cancelling = false;
}

void GridBinding::TitleRowsChanged()
{
    if (m_detailLink && DetailActive())
        InternalDataChanged(*m_detailLink, d().layout.titleRows, d().layout.footerRows);
}

void GridBinding::RowsReordered(int currentRow)
{
    if (InDBBody(currentRow))
        SetActiveRecNo(GetActiveRow(currentRow));
}

void GridBinding::ColumnFieldNameSet(TQorColumn &column)
{
    userColumns = true;
    if (db::TDataSet *ds = DetailDataSet(); ds && ds->Active())
        column.SetField(ds->FindField(column.GetFieldName()));
    if (!d().locked())
        d().repaintAll();
}

bool GridBinding::CurrentRowChanging(int newRow)
{
    if (!m_detailLink || !InDBBody(newRow))
        return true;
    const int recNo = GetActiveRow(newRow);
    db::TDataSet *ds = DetailDataSet();
    if (recNo == ds->RecNo())
        return true;
    return SetActiveRecNo(recNo);
}

void GridBinding::CurrentCellChanged(int row, int col)
{
    if (q.GetAutoShowBlobField())
        showBlob();
}

void GridBinding::showBlob()
{
    BlobViewer::ClearBindings();
    const int row = q.GetRow(), col = q.GetCol();
    std::optional<db::TDataSet::RecordScope> scope;
    db::TField *f = row >= 0 ? readField(row, col, scope) : nullptr;
    if (f && f->IsBlob())
        BlobViewer::Show(*f);
}

void GridBinding::AutoShowBlobFieldChanged()
{
    if (q.GetAutoShowBlobField())
        showBlob();
    else
        BlobViewer::HideViewer();
}

bool GridBinding::RecordRowReadOnly(int row) const
{
    return ControlsRowCount() && InDBBody(row) && !DetailDataSet()->CanModify();
}

bool GridBinding::DeleteRecord(int row)
{
    db::TDataSet *ds = DetailDataSet();
    if (!InDBBody(row))
        return false;
    if (!ds->CanModify())
        return true;
    if (!SetActiveRecNo(GetActiveRow(row)))
        return true;
    try {
        ds->Delete();
    } catch (const std::exception &e) {
        refuse(e);
    }
    return true;
}

bool GridBinding::InsertRecord(int row, bool append)
{
    db::TDataSet *ds = DetailDataSet();
    if (!DetailActive() || row < d().layout.titleRows || row > d().rows - d().layout.footerRows - 1)
        return false;
    if (!ds->CanModify())
        return true;
    if (InDBBody(row) && !SetActiveRecNo(GetActiveRow(row)))
        return true;
    try {
        append ? ds->Append() : ds->Insert();
    } catch (const std::exception &e) {
        refuse(e);
    }
    return true;
}

std::optional<QImage> GridBinding::FieldPicture(int row, int col) const
{
    std::optional<db::TDataSet::RecordScope> scope;
    int record = -1;
    db::TField *f = readField(row, col, scope, &record);
    if (!f || (f->DataType() != db::ftGraphic && f->DataType() != db::ftBlob))
        return std::nullopt;
    const qint64 key = (qint64(record + 1) << 16) | (f->Index() & 0xFFFF) | (record < 0 ? (qint64(1) << 62) : 0);
    if (auto it = m_pictures.constFind(key); it != m_pictures.constEnd())
        return it->isNull() ? std::nullopt : std::optional<QImage>(*it);
    const QImage image = PictureFromBlob(f->Value().toByteArray());
    m_pictures.insert(key, image);
    return image.isNull() ? std::nullopt : std::optional<QImage>(image);
}

std::pair<QString, QString> GridBinding::checkTexts(int row, int col) const
{
    if (const TCellInfo *cell = d().cells.At(row, col))
        return {cell->GetValueChecked(), cell->GetValueUnChecked()};
    const TQorColumn *column = d().column(col);
    return {column->GetValueChecked(), column->GetValueUnChecked()};
}

std::optional<bool> GridBinding::FieldChecked(int row, int col) const
{
    std::optional<db::TDataSet::RecordScope> scope;
    db::TField *f = readField(row, col, scope);
    if (!f)
        return std::nullopt;
    if (f->DataType() == db::ftBoolean)
        return f->Value().toBool();
    const auto [checked, unchecked] = checkTexts(row, col);
    if (checked == unchecked)
        return std::nullopt;
    return GetFieldText(*f) == checked;
}

bool GridBinding::ToggleChecked(int row, int col)
{
    const std::optional<bool> now = FieldChecked(row, col);
    if (!now)
        return false;
    db::TField *f = BoundField(row, col);
    QString text;
    if (f->DataType() == db::ftBoolean) {
        text = *now ? QStringLiteral("False") : QStringLiteral("True");
    } else {
        const auto [checked, unchecked] = checkTexts(row, col);
        text = *now ? unchecked : checked;
    }
    WriteField(row, col, text);
    d().repaintCell(row, col);
    return true;
}

} // namespace qor
