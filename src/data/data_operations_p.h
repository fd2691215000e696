#pragma once
// The data layer of one grid: sorting, filtering and (later) grouping state, installed as the
// grid's data-operations seam. Title clicks and filter buttons arrive here from the core.
#include "core/grid_seams_p.h"
#include "core/model/enums.h"
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
struct GridPrivate;
class TQorColumn;

class QOR_AUTOTEST_EXPORT DataOperations final : public IDataOpsHost {
public:
    explicit DataOperations(TCustomQorGrid &grid);
    static DataOperations &Install(TCustomQorGrid &grid);
    // The grid's data layer (installed again when something else stood in for it).
    static DataOperations &Of(const TCustomQorGrid &grid);

    // --- The seam
    bool IsGrouped() const override { return false; }
    void ClearGrouping() override {}
    void ResetFilter() override;
    void TitleClicked(int col) override;
    void FilterButtonClicked(int col, const QRect &button) override;
    DataOperations *Operations() override { return this; }
    // A choice of the title drop-down: its dialog first for top-10 and custom (a cancel
    // changes nothing), then the type, then DoFilter.
    void ClickMenu(TQorColumn &column, TFilterType type);

    // --- Sorting state
    bool sorting = false;                 // Sort is running: it does not enter itself again
    bool recordNumbersAssigned = false;   // a bound grid's rows carry their record numbers

private:
    TCustomQorGrid &q;
};

} // namespace qor
