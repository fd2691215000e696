#pragma once
// The grid's two name tables: cell names and column names, unique and compared upper-cased.
#include <QString>
#include <string>
#include "core/model/containers.h"
#include "platform/qor_global.h"

namespace qor {

class TCellInfo;
class TQorColumn;

class QOR_AUTOTEST_EXPORT NameRegistry {
public:
    enum class Outcome { Unchanged, Renamed, Conflict };

    // Moves owner from oldName to newName. A name held by another owner is a conflict unless
    // takeOver, in which case that owner is handed back through displaced (it loses the name).
    Outcome RenameCell(TCellInfo *owner, const QString &oldName, const QString &newName, bool takeOver,
                       TCellInfo **displaced);
    Outcome RenameColumn(TQorColumn *owner, const QString &oldName, const QString &newName, bool takeOver,
                         TQorColumn **displaced);
    void ForgetCell(TCellInfo *owner, const QString &name);
    void ForgetColumn(TQorColumn *owner, const QString &name);
    TCellInfo *Cell(const QString &name) const { return name.isEmpty() ? nullptr : m_cells.Find(name); }
    TQorColumn *Column(const QString &name) const { return name.isEmpty() ? nullptr : m_columns.Find(name); }
    void ClearCells() { m_cells.Clear(); }
    void ClearColumns() { m_columns.Clear(); }
    int CellCount() const { return m_cells.Count(); }
    int ColumnCount() const { return m_columns.Count(); }
    // Every entry's owner carries the name it is filed under. Empty when consistent.
    std::string checkConsistency() const;

private:
    TNameList<TCellInfo *> m_cells{100};
    TNameList<TQorColumn *> m_columns{100};
};

} // namespace qor
