#pragma once
// The data layer of one grid: sorting, filtering and grouping state, installed as the grid's
// data-operations seam. Title clicks, filter buttons and group header buttons arrive here
// from the core.
#include "core/grid_seams_p.h"
#include "core/model/enums.h"
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
struct GridPrivate;
class TQorColumn;

// Sets a running flag for as long as it lives: the guards of Sort, Group and CancelGroup.
struct RunningFlag {
    bool &flag;
    explicit RunningFlag(bool &f) : flag(f) { flag = true; }
    ~RunningFlag() { flag = false; }
    RunningFlag(const RunningFlag &) = delete;
    RunningFlag &operator=(const RunningFlag &) = delete;
};

class QOR_AUTOTEST_EXPORT DataOperations final : public IDataOpsHost {
public:
    explicit DataOperations(TCustomQorGrid &grid);
    static DataOperations &Install(TCustomQorGrid &grid);
    // The grid's data layer (installed again when something else stood in for it).
    static DataOperations &Of(const TCustomQorGrid &grid);

    // --- The seam
    // While grouping rebuilds the rows the grid does not count as grouped: its own row
    // operations and filtering run then.
    bool IsGrouped() const override;
    void ClearGrouping() override { SetGroupedFalse(); }
    void ReGroup() override;
    void ResetFilter() override;
    bool HidesCellText(int row, int col) const override;
    void TitleClicked(int col) override;
    void FilterButtonClicked(int col, const QRect &button) override;
    bool CellPressed(int row, int col, QPoint p) override;
    DataOperations *Operations() override { return this; }
    // A choice of the title drop-down: its dialog first for top-10 and custom (a cancel
    // changes nothing), then the type, then DoFilter.
    void ClickMenu(TQorColumn &column, TFilterType type);

    // A bound grid's body rows take their record numbers (row - TitleRows + 1) once, so that
    // reordering keeps the mapping.
    void AssignRecordNumbers();
    // The grouped flag and every column's grouped flag and tag go; the rows stay.
    void SetGroupedFalse();
    // The leading grouped columns as a grouping specification ("0:ASC:True;2:DESC:False");
    // overrideCol, when one of them, takes the direction overrideAscending.
    QString GroupSpecOfColumns(int overrideCol = -1, bool overrideAscending = true) const;

    // --- Sorting state
    bool sorting = false;                 // Sort is running: it does not enter itself again
    bool recordNumbersAssigned = false;   // a bound grid's rows carry their record numbers

    // --- Grouping state
    bool grouping = false;                // Group or CancelGroup is rebuilding the rows
    int groupSortCol = -1;                // the sort key of the last Group call, for ReGroup
    bool groupSortAsc = true;

private:
    TCustomQorGrid &q;
};

} // namespace qor
