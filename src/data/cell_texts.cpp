#include "data/cell_texts_p.h"

#include "core/grid_p.h"

namespace qor {

QString DataCellText(GridPrivate &d, int row, int col, bool *covered)
{
    if (covered)
        *covered = false;
    if (const TCellInfo *cell = d.cells.At(row, col)) {
        if (!cell->GetNeedDraw()) {
            if (covered)
                *covered = true;
            return QString();
        }
        if (std::optional<QString> field = d.seams.binding->FieldText(row, col))
            return *field;
        return cell->GetText();
    }
    if (std::optional<QString> field = d.seams.binding->FieldText(row, col))
        return *field;
    QString text;
    if (d.q->OnGetText)
        d.q->OnGetText(d.q, row, col, text);
    return text;
}

} // namespace qor
