#include "platform/db/data_link.h"

#include <algorithm>

namespace qor::db {

TDataSource::TDataSource(QObject *parent) : QObject(parent) {}

TDataSource::~TDataSource()
{
    SetDataSet(nullptr);
    const std::vector<TDataLink *> links = m_links;
    for (TDataLink *l : links) {
        l->m_source = nullptr;
        l->updateState();
    }
}

void TDataSource::SetDataSet(TDataSet *Value)
{
    if (m_dataSet == Value)
        return;
    if (m_dataSet) {
        auto &s = m_dataSet->m_sources;
        s.erase(std::remove(s.begin(), s.end(), this), s.end());
    }
    m_dataSet = Value;
    if (Value)
        Value->m_sources.push_back(this);
    const std::vector<TDataLink *> links = m_links;
    for (TDataLink *l : links)
        l->updateState();
}

void TDataSource::dataEvent(TDataEvent event, const void *info)
{
    const std::vector<TDataLink *> links = m_links;
    for (TDataLink *l : links)
        if (std::find(m_links.begin(), m_links.end(), l) != m_links.end())  // a handler may detach another
            l->dataEvent(event, info);
}

void TDataSource::addLink(TDataLink *link) { m_links.push_back(link); }

void TDataSource::removeLink(TDataLink *link) { m_links.erase(std::remove(m_links.begin(), m_links.end(), link), m_links.end()); }

TDataLink::TDataLink() = default;

TDataLink::~TDataLink()
{
    if (m_source)
        m_source->removeLink(this);
}

void TDataLink::SetDataSource(TDataSource *Value)
{
    if (m_source == Value)
        return;
    if (m_source)
        m_source->removeLink(this);
    m_source = Value;
    if (m_source)
        m_source->addLink(this);
    updateState();
}

void TDataLink::SetBufferCount(int Value)
{
    m_bufferCount = std::max(1, Value);
    followCursor();
}

int TDataLink::ActiveRecord() const
{
    const TDataSet *ds = DataSet();
    return ds && m_active ? std::max(0, ds->RecNo() - 1 - m_first) : 0;
}

void TDataLink::followCursor()
{
    const TDataSet *ds = DataSet();
    if (!ds || !ds->Active()) {
        m_first = 0;
        return;
    }
    const int current = ds->RecNo() - 1;
    if (current < m_first)
        m_first = std::max(current, 0);
    else if (current >= m_first + m_bufferCount)
        m_first = current - m_bufferCount + 1;
    m_first = std::clamp(m_first, 0, std::max(0, ds->HeldRecords() - m_bufferCount));
}

void TDataLink::updateState()
{
    TDataSet *ds = DataSet();
    const bool active = ds && ds->Active();
    if (active != m_active) {
        m_active = active;
        m_first = 0;
        followCursor();
        ActiveChanged();
    }
    const bool editing = m_active && ds && (ds->State() == dsEdit || ds->State() == dsInsert);
    if (editing != m_editing) {
        m_editing = editing;
        EditingChanged();
    }
}

void TDataLink::dataEvent(TDataEvent event, const void *info)
{
    switch (event) {
    case TDataEvent::UpdateState:
        updateState();
        break;
    case TDataEvent::DataSetChange:
        if (m_active) {
            followCursor();
            DataSetChanged();
        }
        break;
    case TDataEvent::DataSetScroll:
        if (m_active) {
            followCursor();
            DataSetScrolled(info ? *static_cast<const int *>(info) : 0);
        }
        break;
    case TDataEvent::LayoutChange:
        if (m_active)
            LayoutChanged();
        break;
    case TDataEvent::FieldChange:
    case TDataEvent::RecordChange:
        if (m_active)
            RecordChanged(static_cast<TField *>(const_cast<void *>(info)));
        break;
    case TDataEvent::UpdateRecord:
        if (m_active)
            UpdateData();
        break;
    case TDataEvent::FocusControl:
        if (m_active && info)
            FocusControl(static_cast<TField **>(const_cast<void *>(info)));
        break;
    }
}

} // namespace qor::db
