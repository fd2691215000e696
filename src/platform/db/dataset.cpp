#include "platform/db/dataset.h"

#include <algorithm>
#include "platform/db/data_link.h"
#include "platform/db/database_error.h"

namespace qor::db {

TDataSet::TDataSet(QObject *parent) : QObject(parent) {}

TDataSet::~TDataSet()
{
    // Sources outlive their data set often: they let go of it through their QPointer, and
    // their links hear that it went.
    const std::vector<TDataSource *> sources = m_sources;
    m_state = dsInactive;
    for (TDataSource *s : sources)
        s->SetDataSet(nullptr);
}

void TDataSet::Open()
{
    if (Active())
        return;
    m_fields.clear();
    m_records.clear();
    m_buffer.clear();
    m_current = -1;
    try {
        InternalOpen();
    } catch (...) {
        m_fields.clear();
        m_records.clear();
        throw;
    }
    m_current = m_records.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_records.empty();
    m_modified = false;
    setState(dsBrowse);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    InternalClose();
    m_records.clear();
    m_records.shrink_to_fit();
    m_buffer.clear();
    m_current = -1;
    m_modified = false;
    setState(dsInactive);
    m_fields.clear();
}

int TDataSet::RecordCount() const
{
    return int(m_records.size()) - (m_state == dsInsert ? 1 : 0);
}

void TDataSet::moveTo(int index)
{
    if (m_records.empty()) {
        m_bof = m_eof = true;
        return;
    }
    const int last = int(m_records.size()) - 1;
    m_bof = index < 0;
    m_eof = index > last;
    index = std::clamp(index, 0, last);
    const int distance = index - m_current;
    m_current = index;
    if (distance != 0)
        DataEvent(TDataEvent::DataSetScroll, &distance);
}

void TDataSet::First()
{
    if (!Active())
        return;
    CheckBrowseMode();
    moveTo(0);
    m_bof = true;
}

void TDataSet::fetchAll()
{
    while (FetchMore()) {
    }
}

void TDataSet::Last()
{
    if (!Active())
        return;
    CheckBrowseMode();
    const int before = int(m_records.size());
    fetchAll();
    if (int(m_records.size()) != before)
        DataEvent(TDataEvent::DataSetChange);
    moveTo(int(m_records.size()) - 1);
    m_eof = true;
}

int TDataSet::MoveBy(int Distance)
{
    if (!Active() || Distance == 0)
        return 0;
    CheckBrowseMode();
    const int from = m_current;
    if (Distance > 0)
        while (m_current + Distance >= int(m_records.size()) && FetchMore()) {
        }
    moveTo(int(std::clamp<qint64>(qint64(m_current) + Distance, -1, qint64(m_records.size()))));
    return m_current - from;
}

TDataSet::TBookmark TDataSet::GetBookmark() const
{
    return m_current >= 0 && m_current < int(m_records.size()) ? m_records[size_t(m_current)].id : 0;
}

int TDataSet::indexOf(TBookmark b) const
{
    if (b == 0)
        return -1;
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].id == b)
            return int(i);
    return -1;
}

void TDataSet::GotoBookmark(TBookmark b)
{
    const int i = indexOf(b);
    if (i < 0)
        throw EDatabaseError(QStringLiteral("记录已不存在"));
    CheckBrowseMode();
    moveTo(i);
}

void TDataSet::DisableControls()
{
    if (m_disableCount++ == 0) {
        m_missedEvent = false;
        m_stateAtDisable = m_state;
    }
}

void TDataSet::EnableControls()
{
    if (m_disableCount == 0 || --m_disableCount > 0)
        return;
    if (m_state != m_stateAtDisable)
        DataEvent(TDataEvent::UpdateState);
    if (m_missedEvent)
        DataEvent(TDataEvent::DataSetChange);
    m_missedEvent = false;
}

void TDataSet::DataEvent(TDataEvent event, const void *info)
{
    if (m_disableCount > 0 && event != TDataEvent::UpdateRecord && event != TDataEvent::FocusControl) {
        m_missedEvent = true;
        return;
    }
    const std::vector<TDataSource *> sources = m_sources;
    for (TDataSource *s : sources)
        s->dataEvent(event, info);
}

void TDataSet::setState(TDataSetState s)
{
    if (m_state == s)
        return;
    m_state = s;
    DataEvent(TDataEvent::UpdateState);
}

void TDataSet::Edit()
{
    if (m_state == dsEdit || m_state == dsInsert)
        return;
    if (!Active())
        throw EDatabaseError(QStringLiteral("数据集没有打开"));
    if (!CanModify())
        throw EDatabaseError(QStringLiteral("不能修改只读数据集"));
    if (m_records.empty()) {
        Insert();
        return;
    }
    m_buffer = m_records[size_t(m_current)].values;
    m_modified = false;
    setState(dsEdit);
}

void TDataSet::startInsert(int at)
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("数据集没有打开"));
    if (!CanModify())
        throw EDatabaseError(QStringLiteral("不能修改只读数据集"));
    CheckBrowseMode();
    at = std::clamp(at, 0, int(m_records.size()));
    std::vector<QVariant> values(m_fields.size());
    InitRecord(values);
    m_records.insert(m_records.begin() + at, Record{0, values});
    m_buffer = std::move(values);
    m_current = at;
    m_bof = m_eof = false;
    m_modified = false;
    // The links count the new record before they hear of the state: the row it is edited in
    // exists by then.
    m_state = dsInsert;
    DataEvent(TDataEvent::DataSetChange);
    DataEvent(TDataEvent::UpdateState);
}

void TDataSet::Insert() { startInsert(std::max(m_current, 0)); }

void TDataSet::Append()
{
    fetchAll();
    startInsert(int(m_records.size()));
}

void TDataSet::UpdateRecord()
{
    if (m_state == dsEdit || m_state == dsInsert)
        DataEvent(TDataEvent::UpdateRecord);
}

void TDataSet::Post()
{
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    UpdateRecord();
    const bool inserting = m_state == dsInsert;
    Record &rec = m_records[size_t(m_current)];
    std::vector<QVariant> values = m_buffer;
    // A refused write throws here: the buffer and the state stay, so nothing typed is lost.
    InternalPost(inserting, inserting ? std::vector<QVariant>() : rec.values, values);
    rec.values = std::move(values);
    if (inserting)
        rec.id = m_nextId++;
    m_buffer.clear();
    m_modified = false;
    m_state = dsBrowse;
    DataEvent(TDataEvent::UpdateState);
    DataEvent(TDataEvent::DataSetChange);
}

void TDataSet::Cancel()
{
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    const bool inserting = m_state == dsInsert;
    if (inserting) {
        m_records.erase(m_records.begin() + m_current);
        if (m_current >= int(m_records.size()))
            m_current = int(m_records.size()) - 1;
    }
    m_buffer.clear();
    m_modified = false;
    m_state = dsBrowse;
    m_eof = m_records.empty();
    DataEvent(TDataEvent::UpdateState);
    DataEvent(TDataEvent::DataSetChange);
}

void TDataSet::Delete()
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("数据集没有打开"));
    if (m_state == dsInsert) {
        Cancel();
        return;
    }
    if (m_records.empty())
        throw EDatabaseError(QStringLiteral("不能在空数据集上执行该操作"));
    if (!CanModify())
        throw EDatabaseError(QStringLiteral("不能修改只读数据集"));
    if (m_state == dsEdit)
        Cancel();
    InternalDelete(m_records[size_t(m_current)].values);
    m_records.erase(m_records.begin() + m_current);
    if (m_current >= int(m_records.size()))
        m_current = int(m_records.size()) - 1;
    m_eof = m_records.empty();
    DataEvent(TDataEvent::DataSetChange);
}

void TDataSet::CheckBrowseMode()
{
    if (m_state == dsEdit || m_state == dsInsert) {
        UpdateRecord();
        if (m_modified)
            Post();
        else
            Cancel();
    }
}

void TDataSet::Refresh()
{
    if (!Active())
        return;
    CheckBrowseMode();
    Reload(true);
    if (AfterRefresh)
        AfterRefresh(*this);
}

void TDataSet::Reload(bool keepPosition)
{
    const std::vector<QVariant> current =
        keepPosition && m_current >= 0 ? m_records[size_t(m_current)].values : std::vector<QVariant>();
    const int at = keepPosition ? m_current : 0;
    m_records.clear();
    // The fields stay the same objects: controls hold them.
    m_refreshField = 0;
    try {
        InternalOpen();
        m_refreshField = -1;
    } catch (...) {
        m_refreshField = -1;
        Close();
        throw;
    }
    // The record with the same values, else the same position.
    int found = -1;
    for (size_t i = 0; i < m_records.size() && found < 0 && !current.empty(); ++i)
        if (m_records[i].values == current)
            found = int(i);
    m_current = m_records.empty() ? -1 : found >= 0 ? found : std::clamp(at, 0, int(m_records.size()) - 1);
    m_bof = true;
    m_eof = m_records.empty();
    DataEvent(TDataEvent::DataSetChange);
}

TField *TDataSet::FindField(const QString &name) const
{
    for (const auto &f : m_fields)
        if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

TField &TDataSet::FieldByName(const QString &name) const
{
    if (TField *f = FindField(name))
        return *f;
    throw EDatabaseError(QStringLiteral("找不到字段 %1").arg(name));
}

void TDataSet::SetFieldVisible(const QString &name, bool visible)
{
    m_fieldVisible.insert(name.toLower(), visible);
    if (TField *f = FindField(name))
        f->SetVisible(visible);
}

void TDataSet::SetFieldLabel(const QString &name, const QString &label)
{
    m_fieldLabel.insert(name.toLower(), label);
    if (TField *f = FindField(name))
        f->SetDisplayLabel(label);
}

void TDataSet::FocusField(TField &field)
{
    TField *f = &field;
    DataEvent(TDataEvent::FocusControl, &f);
}

QVariant TDataSet::FieldValue(int field) const
{
    const int i = ReadIndex();
    if (i < 0 || i >= int(m_records.size()) || field < 0 || field >= int(m_fields.size()))
        return QVariant();
    if (i == m_current && (m_state == dsEdit || m_state == dsInsert))
        return m_buffer[size_t(field)];
    return m_records[size_t(i)].values[size_t(field)];
}

void TDataSet::SetFieldValue(TField &field, const QVariant &value)
{
    if (!field.CanModify())
        throw EDatabaseError(QStringLiteral("字段 %1 不能修改").arg(field.DisplayLabel()));
    if (m_state != dsEdit && m_state != dsInsert)
        Edit();
    QVariant &slot = m_buffer[size_t(field.Index())];
    if (slot == value && slot.isNull() == value.isNull())
        return;
    slot = value;
    m_modified = true;
    TField *f = &field;
    DataEvent(TDataEvent::FieldChange, f);
}

TField &TDataSet::AddField(const QString &name, TFieldType type)
{
    if (m_refreshField >= 0) {
        TField *f = Fields(m_refreshField++);
        if (!f || f->FieldName().compare(name, Qt::CaseInsensitive) != 0)
            throw EDatabaseError(QStringLiteral("刷新后字段 %1 与原来的字段不一致").arg(name));
        return *f;
    }
    m_fields.push_back(std::make_unique<TField>(*this, int(m_fields.size()), name, type));
    TField &f = *m_fields.back();
    const QString key = name.toLower();
    if (auto it = m_fieldVisible.constFind(key); it != m_fieldVisible.constEnd())
        f.SetVisible(*it);
    if (auto it = m_fieldLabel.constFind(key); it != m_fieldLabel.constEnd())
        f.SetDisplayLabel(*it);
    return f;
}

void TDataSet::AddRecord(std::vector<QVariant> values)
{
    values.resize(m_fields.size());
    m_records.push_back(Record{m_nextId++, std::move(values)});
}

} // namespace qor::db
