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
        return cell->GetText();
    }
    if (std::optional<QString> field = d.seams.binding->FieldText(row, col))
        return *field;
    QString text;
    if (d.q->OnGetText)
        d.q->OnGetText(d.q, row, col, text);
    return text;
}

RowRange DataRowRange(const GridPrivate &d, int first, int last, bool dataRowsOnly)
{
    RowRange r{std::max(first, 0), last < 0 ? d.rows - 1 : std::min(last, d.rows - 1)};
    if (dataRowsOnly && d.seams.binding->ControlsRowCount()) {
        r.first = std::max(r.first, d.layout.titleRows);
        r.last = std::min(r.last, d.rows - d.layout.footerRows - 1);
    }
    return r;
}

} // namespace qor
