#include "core/grid_seams_p.h"

#include <vector>
#include "core/grid.h"
#include "core/view/grid_view_p.h"

namespace qor {

IFormulaHost::~IFormulaHost() = default;
IDataBinding::~IDataBinding() = default;
IViewHost::~IViewHost() = default;
IEditorHost::~IEditorHost() = default;
IMergeHost::~IMergeHost() = default;
IDataOpsHost::~IDataOpsHost() = default;
IRichTextHost::~IRichTextHost() = default;

namespace {

std::vector<GridSeamInstaller> &installers()
{
    static std::vector<GridSeamInstaller> list;
    return list;
}

} // namespace

GridSeams::GridSeams()
    : formulas(std::make_unique<IFormulaHost>()), binding(std::make_unique<IDataBinding>()),
      editor(std::make_unique<IEditorHost>()), merges(std::make_unique<IMergeHost>()),
      dataOps(std::make_unique<IDataOpsHost>()), richText(std::make_unique<IRichTextHost>())
{
}

GridSeams::~GridSeams() = default;

void RegisterGridSeams(GridSeamInstaller installer)
{
    if (installer)
        installers().push_back(std::move(installer));
}

// Called once at the end of the grid's construction.
void InstallGridSeams(TCustomQorGrid &grid, GridSeams &seams)
{
    InstallGridView(grid, seams);
    for (const GridSeamInstaller &install : installers())
        install(grid, seams);
}

} // namespace qor
