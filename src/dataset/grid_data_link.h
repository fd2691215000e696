#pragma once
// The grid's link to a data source: the detail link (records as body rows) or the master link
// (cells showing the master's current record).
#include "platform/db/data_link.h"
#include "platform/qor_global.h"

namespace qor {

class GridBinding;

class QOR_AUTOTEST_EXPORT TQorGridDataLink : public db::TDataLink {
public:
    TQorGridDataLink(GridBinding &binding, bool master) : m_binding(binding), m_master(master) {}
    bool IsMaster() const { return m_master; }

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int Distance) override;
    void FocusControl(db::TField **Field) override;
    void EditingChanged() override;
    void UpdateData() override;
    void LayoutChanged() override;
    void RecordChanged(db::TField *Field) override;

private:
    GridBinding &m_binding;
    bool m_master;
    bool m_inEditingChanged = false;
};

} // namespace qor
