#include "core/grid_seams_p.h"

#include <QScrollBar>
#include <vector>
#include "core/grid.h"

namespace qor {

IFormulaHost::~IFormulaHost() = default;
IDataBinding::~IDataBinding() = default;
IViewHost::~IViewHost() = default;
IEditorHost::~IEditorHost() = default;
IMergeHost::~IMergeHost() = default;
IDataOpsHost::~IDataOpsHost() = default;
IRichTextHost::~IRichTextHost() = default;

namespace {

// Until exact cell rectangles exist, a cell change repaints the whole viewport. A hidden grid
// has nothing to repaint (showing it paints everything anyway).
class ViewportRepaint final : public IViewHost {
public:
    explicit ViewportRepaint(TCustomQorGrid &grid) : m_grid(grid) {}
    void InvalidateCell(int, int) override { update(); }
    void InvalidateAll() override { update(); }
    void InvalidateColumnHeader() override { update(); }
    void ScrollToOrigin() override
    {
        m_grid.horizontalScrollBar()->setValue(0);
        m_grid.verticalScrollBar()->setValue(0);
    }

private:
    void update()
    {
        if (m_grid.isVisible())
            m_grid.viewport()->update();
    }
    TCustomQorGrid &m_grid;
};

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
    seams.view = std::make_unique<ViewportRepaint>(grid);
    for (const GridSeamInstaller &install : installers())
        install(grid, seams);
}

} // namespace qor
