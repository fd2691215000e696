#pragma once
// The grid side of data-set binding: which rows and cells show which records and fields, the
// row count that follows the data set, and the answers to the core's binding seam.
#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>
#include "core/grid_seams_p.h"
#include "dataset/grid_data_link.h"
#include "platform/db/data_link.h"

namespace qor {

class TCustomQorGrid;
struct GridPrivate;

class QOR_AUTOTEST_EXPORT GridBinding final : public IDataBinding {
public:
    static void Install(TCustomQorGrid &grid);
    explicit GridBinding(TCustomQorGrid &grid);
    ~GridBinding() override;
    // The binding of a grid; every grid has one once the layers are installed.
    static GridBinding &Of(const TCustomQorGrid &grid);

    // --- Sources
    void SetDataSource(db::TDataSource *source);
    void SetMasterDataSource(db::TDataSource *source);
    db::TDataSource *DataSource() const { return m_dataSource; }
    db::TDataSource *MasterDataSource() const { return m_masterSource; }
    // The detail data set, open or not; none when unbound.
    db::TDataSet *DetailDataSet() const;
    db::TDataSet *MasterDataSet() const;
    bool DetailActive() const;
    bool MasterActive() const;

    // --- Rows, records and fields
    void UpdateFields();
    db::TField *FindField(const QString &name) const;
    int GetActiveRow(int row) const;
    int GetRowByActiveRecord(int index) const;
    int GetDBNo(int row, int col) const;
    bool IsBodyDBCell(int row, int col) const;
    bool InDBBody(int row) const;
    db::TField *MasterDBField(int row, int col) const;
    // The field a position shows (master or body) and the record to read it from (-1 for the
    // master's current record).
    db::TField *BoundField(int row, int col, int *record = nullptr) const;
    bool DataCellReadOnly(int row, int col) const;
    QString GetFieldText(db::TField &field) const;
    bool SetFieldText(db::TField &field, const QString &text);
    bool SetActiveRecNo(int recNo);
    bool PostDataSet();
    // Rebuilds the rows for the record count; false when the count did not change.
    bool UpdateRows(int oldRows, int titleRows, int footerRows);

    // --- From the links
    void LinkActive(TQorGridDataLink &link, bool active);
    void DataChanged(TQorGridDataLink &link);
    void InternalDataChanged(TQorGridDataLink &link, int titleRows, int footerRows);
    void DataScroll(TQorGridDataLink &link);
    void LayoutChanged(TQorGridDataLink &link);
    void FocusControl(TQorGridDataLink &link, db::TField **field);
    void EditingChanged(TQorGridDataLink &link);
    void UpdateData(TQorGridDataLink &link);
    void RecordChanged(TQorGridDataLink &link, db::TField *field);
    bool Destroying() const { return m_destroying; }

    // --- The seam
    bool ControlsRowCount() const override;
    bool IsBound(int row, int col) const override;
    std::optional<QString> FieldText(int row, int col) const override;
    bool WriteField(int row, int col, const QString &value) override;
    std::optional<TCellType> FieldCellType(int row, int col) const override;
    std::optional<TValueType> FieldValueType(int row, int col) const override;
    std::optional<QString> FieldEditMask(int row, int col) const override;
    bool FieldReadOnly(int row, int col) const override;
    void CancelEdit() override;
    void TitleRowsChanged() override;
    void RowsReordered(int currentRow) override;
    void ColumnFieldNameSet(TQorColumn &column) override;
    bool CurrentRowChanging(int newRow) override;
    void CurrentCellChanged(int row, int col) override;
    bool DeleteRecord(int row) override;
    bool InsertRecord(int row, bool append) override;
    std::optional<QImage> FieldPicture(int row, int col) const override;
    std::optional<bool> FieldChecked(int row, int col) const override;
    bool ToggleChecked(int row, int col) override;
    void AutoShowBlobFieldChanged() override;
    bool RecordRowReadOnly(int row) const override;
    GridBinding *Binding() override { return this; }

    // State the binding keeps while it moves the data set itself.
    bool recordMove = false;   // the grid moved the cursor: the next change only repaints
    bool fetching = false;     // all records are being fetched: changes are ignored
    bool suppress = false;     // buffer count or source being changed: changes are ignored
    bool userColumns = false;  // a column's FieldName was assigned by hand

private:
    GridPrivate &d() const;
    // Shows a refusal of the database layer; false for the caller to return.
    bool refuse(const std::exception &e) const;
    void installRefreshHook(db::TDataSet *ds);
    void removeRefreshHook();
    void fetchAll(db::TDataSet &ds);
    void setBufferCount(int count);
    int recordOf(int row) const;
    // The field a position shows, with scope reading the record of its row (record: -1 for
    // the master's current one).
    db::TField *readField(int row, int col, std::optional<db::TDataSet::RecordScope> &scope, int *record = nullptr) const;
    // The texts a bound check box writes when checked and unchecked: the cell's, else the column's.
    std::pair<QString, QString> checkTexts(int row, int col) const;
    bool recordsNumbered() const;
    void showBlob();
    void checkUniDirectional(db::TDataSource *source) const;

    TCustomQorGrid &q;
    QPointer<db::TDataSource> m_dataSource;
    QPointer<db::TDataSource> m_masterSource;
    std::unique_ptr<TQorGridDataLink> m_detailLink;
    std::unique_ptr<TQorGridDataLink> m_masterLink;
    QPointer<db::TDataSet> m_hooked;                       // the data set whose refresh we follow
    std::function<void(db::TDataSet &)> m_previousAfterRefresh;
    mutable QHash<qint64, QImage> m_pictures;             // decoded blobs by record and field
    bool m_destroying = false;
    bool m_cancelling = false;
};

} // namespace qor
