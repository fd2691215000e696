#include "dataset/grid_data_link.h"

#include "dataset/grid_binding_p.h"
#include "platform/db/database_error.h"

namespace qor {

void TQorGridDataLink::ActiveChanged()
{
    if (m_binding.Destroying())
        return;
    if (Active() && DataSet() && DataSet()->IsUniDirectional())
        throw db::EDatabaseError(QStringLiteral("不可以在单向数据集上操作"));
    m_binding.LinkActive(*this, Active());
}

void TQorGridDataLink::DataSetChanged()
{
    if (!m_binding.Destroying())
        m_binding.DataChanged(*this);
}

void TQorGridDataLink::DataSetScrolled(int)
{
    if (!m_binding.Destroying())
        m_binding.DataScroll(*this);
}

void TQorGridDataLink::FocusControl(db::TField **Field)
{
    if (!m_binding.Destroying())
        m_binding.FocusControl(*this, Field);
}

void TQorGridDataLink::EditingChanged()
{
    if (m_binding.Destroying() || m_inEditingChanged)
        return;
    m_inEditingChanged = true;
    m_binding.EditingChanged(*this);
    m_inEditingChanged = false;
}

void TQorGridDataLink::UpdateData()
{
    if (!m_binding.Destroying())
        m_binding.UpdateData(*this);
}

void TQorGridDataLink::LayoutChanged()
{
    if (!m_binding.Destroying())
        m_binding.LayoutChanged(*this);
}

void TQorGridDataLink::RecordChanged(db::TField *Field)
{
    if (!m_binding.Destroying())
        m_binding.RecordChanged(*this, Field);
}

} // namespace qor
