#include "io/clipboard_host.h"

#include "core/grid.h"
#include "core/grid_p.h"

namespace qor {

namespace {

// The keys check qgoCanCopy, qgoCanCut and qgoCanPaste; a paste also wants qgoEditing.
class ClipboardHost final : public IClipboardHost {
public:
    explicit ClipboardHost(TCustomQorGrid &grid) : m_grid(grid) {}
    void Copy() override { m_grid.CopyToClipBoard(); }
    void Cut() override { m_grid.CutToClipBoard(); }
    void Paste() override
    {
        if (m_grid.HasOption(qgoEditing) && !GridPrivate::get(m_grid).seams.binding->RecordRowReadOnly(m_grid.GetRow()))
            m_grid.PasteFromClipBoard(false);
    }

private:
    TCustomQorGrid &m_grid;
};

} // namespace

void InstallClipboardHost(TCustomQorGrid &grid)
{
    GridPrivate::get(grid).seams.clipboard = std::make_unique<ClipboardHost>(grid);
}

} // namespace qor
