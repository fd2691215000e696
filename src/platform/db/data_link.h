#pragma once
// A data source connects a data set to the controls that show it; each control holds a data
// link to the source and hears the data set's changes through the link's notifications.
#include <QObject>
#include <QPointer>
#include <vector>
#include "platform/db/dataset.h"
#include "platform/qor_global.h"

namespace qor::db {

class TDataLink;

class QOR_EXPORT TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject *parent = nullptr);
    ~TDataSource() override;
    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *Value);
    TDataSetState State() const { return m_dataSet ? m_dataSet->State() : dsInactive; }

private:
    friend class TDataSet;
    friend class TDataLink;
    void dataEvent(TDataEvent event, const void *info);
    void addLink(TDataLink *link);
    void removeLink(TDataLink *link);

    QPointer<TDataSet> m_dataSet;
    std::vector<TDataLink *> m_links;
};

class QOR_EXPORT TDataLink {
public:
    TDataLink();
    virtual ~TDataLink();
    TDataLink(const TDataLink &) = delete;
    TDataLink &operator=(const TDataLink &) = delete;

    TDataSource *DataSource() const { return m_source; }
    void SetDataSource(TDataSource *Value);
    TDataSet *DataSet() const { return m_source ? m_source->DataSet() : nullptr; }
    bool Active() const { return m_active; }
    bool Editing() const { return m_editing; }
    // The records the control shows at once; the window follows the cursor.
    int BufferCount() const { return m_bufferCount; }
    void SetBufferCount(int Value);
    // The current record's place in the window, and the window's first record (0-based).
    int ActiveRecord() const;
    int FirstRecord() const { return m_first; }
    // The control's pending edit, to be written by UpdateData.
    bool IsModified() const { return m_modified; }
    void Modified() { m_modified = true; }
    void ClearModified() { m_modified = false; }

protected:
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled(int Distance) {}
    // *Field is the field to show; a control that shows it sets it to null.
    virtual void FocusControl(TField **Field) {}
    virtual void EditingChanged() {}
    virtual void UpdateData() {}
    virtual void LayoutChanged() {}
    virtual void RecordChanged(TField *Field) {}

private:
    friend class TDataSource;
    void dataEvent(TDataEvent event, const void *info);
    void updateState();
    void followCursor();

    TDataSource *m_source = nullptr;   // QPointer not needed: a source detaches its links
    int m_bufferCount = 1;
    int m_first = 0;
    bool m_active = false;
    bool m_editing = false;
    bool m_modified = false;
};

} // namespace qor::db
