#pragma once
// A data set: records held in memory, a cursor, browse/edit/insert states and the change
// notifications its data sources pass on to their links. Where the records come from and
// how a post reaches the database is a subclass's (TSqlDataSet).
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>
#include "platform/db/field.h"
#include "platform/qor_global.h"

namespace qor::db {

class TDataSource;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
enum class TDataEvent { FieldChange, RecordChange, DataSetChange, DataSetScroll, LayoutChange, UpdateRecord, UpdateState, FocusControl };

class QOR_EXPORT TDataSet : public QObject {
    Q_OBJECT
public:
    using TBookmark = quint64; // 0 is no record

    explicit TDataSet(QObject *parent = nullptr);
    ~TDataSet() override;

    // --- Opening and state
    bool Active() const { return m_state != dsInactive; }
    void SetActive(bool Value) { Value ? Open() : Close(); }
    // Throws EDatabaseError when the records cannot be read; the data set stays closed.
    void Open();
    void Close();
    TDataSetState State() const { return m_state; }
    bool IsUniDirectional() const { return m_uniDirectional; }
    void SetUniDirectional(bool Value) { m_uniDirectional = Value; }
    bool GetReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool Value) { m_readOnly = Value; }
    virtual bool CanModify() const { return !m_readOnly; }
    // A field of the record being edited or inserted was set.
    bool Modified() const { return m_modified; }

    // --- Records and the cursor. A record being inserted is not counted but has a place.
    int RecordCount() const;
    // 1-based position of the current record; 0 when there is none.
    int RecNo() const { return m_current + 1; }
    void SetRecNo(int Value) { MoveBy(Value - RecNo()); }
    bool IsEmpty() const { return m_records.empty(); }
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    void First();
    void Last();
    // Returns the distance moved; posts a pending edit first.
    int MoveBy(int Distance);
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    TBookmark GetBookmark() const;
    bool BookmarkValid(TBookmark b) const { return indexOf(b) >= 0; }
    void GotoBookmark(TBookmark b);
    // Kinds that fetch on demand count only the records fetched so far; Last fetches them all.
    virtual bool CountsFetchedOnly() const { return false; }

    // --- Controls: while disabled, links hear nothing; enabling tells them the data changed.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    // --- Editing. Every operation that reaches the database throws EDatabaseError when it
    // is refused; the data set keeps the record and the edit as they were before the call.
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    // Links write their pending controls into the fields (before a post).
    void UpdateRecord();
    // Reads the records again, keeping the current one where it still exists.
    void Refresh();
    // Posts a modified edit, cancels an unmodified one.
    void CheckBrowseMode();

    // --- Fields
    int FieldCount() const { return int(m_fields.size()); }
    TField *Fields(int i) const { return i >= 0 && i < FieldCount() ? m_fields[size_t(i)].get() : nullptr; }
    // Names compare without regard to case; nothing when there is no such field.
    TField *FindField(const QString &name) const;
    // Throws EDatabaseError when there is no such field.
    TField &FieldByName(const QString &name) const;
    // Visibility and labels kept across openings (fields are made anew by each Open).
    void SetFieldVisible(const QString &name, bool visible);
    void SetFieldLabel(const QString &name, const QString &label);
    // Asks the controls of the links to show the field.
    void FocusField(TField &field);

    // Field values come from this record (0-based index of the held records): the current one
    // unless a scope reads another.
    int ReadIndex() const { return m_readIndex >= 0 ? m_readIndex : m_current; }
    class QOR_EXPORT RecordScope {
    public:
        RecordScope(const TDataSet &ds, int index) : m_ds(const_cast<TDataSet &>(ds)), m_saved(ds.m_readIndex) { m_ds.m_readIndex = index; }
        ~RecordScope() { m_ds.m_readIndex = m_saved; }
        RecordScope(const RecordScope &) = delete;
        RecordScope &operator=(const RecordScope &) = delete;
    private:
        TDataSet &m_ds;
        int m_saved;
    };
    // Records held, the one being inserted included.
    int HeldRecords() const { return int(m_records.size()); }

    std::function<void(TDataSet &)> AfterRefresh;

    // For fields: the value of the read record, and writing into the edit buffer.
    QVariant FieldValue(int field) const;
    void SetFieldValue(TField &field, const QVariant &value);

protected:
    // Defines the fields (AddField) and loads the records (AddRecord).
    virtual void InternalOpen() = 0;
    virtual void InternalClose() {}
    // Writes the record: values holds the new values (a subclass may complete them with what
    // the database assigned); old the values before the edit (empty when inserting).
    virtual void InternalPost(bool inserting, const std::vector<QVariant> &old, std::vector<QVariant> &values) = 0;
    virtual void InternalDelete(const std::vector<QVariant> &values) = 0;
    // The values a new record starts with (a detail's link to its master).
    virtual void InitRecord(std::vector<QVariant> &values) {}
    // Fetch-on-demand kinds bring more records; false when there are no more.
    virtual bool FetchMore() { return false; }

    // Reads the records again into the same fields; keepPosition stays on the record with
    // the same values, else goes to the first.
    void Reload(bool keepPosition);
    TField &AddField(const QString &name, TFieldType type);
    void AddRecord(std::vector<QVariant> values);
    void ReserveRecords(size_t n) { m_records.reserve(n); }
    void DataEvent(TDataEvent event, const void *info = nullptr);
    void FieldLayoutChanged() { DataEvent(TDataEvent::LayoutChange); }

private:
    friend class TDataSource;
    friend class TField;
    struct Record {
        TBookmark id;
        std::vector<QVariant> values;
    };
    int indexOf(TBookmark b) const;
    void setState(TDataSetState s);
    void startInsert(int at);
    void moveTo(int index);
    void fetchAll();

    std::vector<TDataSource *> m_sources;
    QHash<QString, bool> m_fieldVisible;       // by lower-case name
    QHash<QString, QString> m_fieldLabel;
    std::vector<std::unique_ptr<TField>> m_fields;
    std::vector<Record> m_records;
    std::vector<QVariant> m_buffer;   // the edit or insert buffer
    TBookmark m_nextId = 1;
    int m_current = -1;
    int m_readIndex = -1;
    TDataSetState m_state = dsInactive;
    bool m_uniDirectional = false;
    bool m_readOnly = false;
    bool m_modified = false;
    bool m_bof = true, m_eof = true;
    int m_disableCount = 0;
    int m_refreshField = -1;          // refreshing: the next field AddField hands back
    bool m_missedEvent = false;       // an event arrived while controls were disabled
    TDataSetState m_stateAtDisable = dsInactive;
};

} // namespace qor::db
