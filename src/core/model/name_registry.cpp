#include "core/model/name_registry_p.h"

#include "core/model/cell.h"
#include "core/model/column.h"

namespace qor {

template <class Owner>
static NameRegistry::Outcome rename(TNameList<Owner *> &table, Owner *owner, const QString &oldName,
                                    const QString &newName, bool takeOver, Owner **displaced)
{
    if (displaced)
        *displaced = nullptr;
    if (oldName == newName)
        return NameRegistry::Outcome::Unchanged;
    if (!newName.isEmpty()) {
        Owner *holder = table.Find(newName);
        if (holder && holder != owner) {
            if (!takeOver)
                return NameRegistry::Outcome::Conflict;
            if (displaced)
                *displaced = holder;
        }
    }
    if (!oldName.isEmpty() && table.Find(oldName) == owner)
        table.Remove(oldName);
    if (!newName.isEmpty())
        table.Insert(newName, owner);
    return NameRegistry::Outcome::Renamed;
}

NameRegistry::Outcome NameRegistry::RenameCell(TCellInfo *owner, const QString &oldName, const QString &newName,
                                               bool takeOver, TCellInfo **displaced)
{
    return rename(m_cells, owner, oldName, newName, takeOver, displaced);
}

NameRegistry::Outcome NameRegistry::RenameColumn(TQorColumn *owner, const QString &oldName, const QString &newName,
                                                 bool takeOver, TQorColumn **displaced)
{
    return rename(m_columns, owner, oldName, newName, takeOver, displaced);
}

void NameRegistry::ForgetCell(TCellInfo *owner, const QString &name)
{
    if (!name.isEmpty() && m_cells.Find(name) == owner)
        m_cells.Remove(name);
}

void NameRegistry::ForgetColumn(TQorColumn *owner, const QString &name)
{
    if (!name.isEmpty() && m_columns.Find(name) == owner)
        m_columns.Remove(name);
}

std::string NameRegistry::checkConsistency() const
{
    std::string err;
    m_cells.ForEach([&err](const QString &key, TCellInfo *cell) {
        if (!cell || TNameList<int>::Key(cell->GetName()) != key)
            err += "cell name " + key.toStdString() + " filed under the wrong cell; ";
    });
    m_columns.ForEach([&err](const QString &key, TQorColumn *column) {
        if (!column || TNameList<int>::Key(column->GetName()) != key)
            err += "column name " + key.toStdString() + " filed under the wrong column; ";
    });
    return err;
}

} // namespace qor
