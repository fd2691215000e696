// The layers above the core, installed into every new grid in this order.
#include "core/grid_seams_p.h"

#include "data/data_operations_p.h"
#include "dataset/grid_binding_p.h"
#include "formula/formula_manager_p.h"
#include "io/clipboard_host.h"
#include "objects/anchored_objects_p.h"
#include "print/print_stream_hooks.h"

namespace qor {

void InstallGridLayers(TCustomQorGrid &grid)
{
    FormulaManager::Install(grid);
    DataOperations::Install(grid);
    GridBinding::Install(grid);
    InstallPrintStreamHooks();
    InstallClipboardHost(grid);
    AnchoredObjects::Install(grid);
}

} // namespace qor
