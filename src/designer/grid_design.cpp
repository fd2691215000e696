// The grid's designer entry point.
#include <QFileInfo>
#include "core/grid.h"
#include "designer/designer_window.h"
#include "platform/modal.h"

namespace qor {

bool TCustomQorGrid::DesignCells(bool Internal, const QString &FileName)
{
    HideEditor();
    TfrmQorDesigner window(Internal, this->window());
    window.SetFileName(FileName);
    const bool loaded = !Internal && !FileName.isEmpty() && QFileInfo::exists(FileName) ? window.OpenFile(FileName)
                                                                                       : window.LoadCopyOf(*this);
    if (!loaded)
        return false;
    if (platform::ExecDialog(window) != QDialog::Accepted || !Internal)
        return false;
    return window.ApplyTo(*this);
}

} // namespace qor
