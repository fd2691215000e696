#include "demo.h"

#include <QStringList>
#include "core/grid.h"

namespace qor::app {

namespace {

const char *alignName(TAlignment a)
{
    switch (a) {
    case taLeftJustify: return "left";
    case taRightJustify: return "right";
    case taCenter: return "centre";
    }
    return "?";
}

const char *valueTypeName(TValueType v)
{
    static const char *const names[] = {"string", "word", "integer", "float", "neg-int", "pos-float", "neg-float",
                                        "currency", "percent", "chinese-currency", "chinese-long", "chinese-short",
                                        "chinese-date"};
    return v <= vtChineseDate ? names[v] : "?";
}

QString framesOf(TCustomQorGrid &g, int r, int c)
{
    QString s;
    const char marks[] = {'L', 'T', 'R', 'B'};
    for (int e = 0; e < 4; ++e)
        if (g.Cells(r, c)->GetFrame(TCellEdge(e)))
            s += QChar(marks[e]) + QString::number(g.Cells(r, c)->GetFrameWidth(TCellEdge(e)));
    return s;
}

} // namespace

QString SummarizeGrid(TCustomQorGrid &g)
{
    QStringList out;
    const char *types[] = {"spreadsheet", "invoice", "data grid"};
    out << QStringLiteral("grid: %1 rows x %2 cols, type %3, sheet %4 x %5 px, title rows %6")
               .arg(g.GetRows())
               .arg(g.GetCols())
               .arg(types[g.GetGridType()])
               .arg(g.GetExtent().width())
               .arg(g.GetExtent().height())
               .arg(g.GetTitleRows());
    out << QStringLiteral("columns:");
    for (int c = 0; c < g.GetCols(); ++c) {
        const TQorColumn *col = g.Columns(c);
        out << QStringLiteral("  %1 %2 \"%3\" width %4, %5, %6")
                   .arg(TCustomQorGrid::ColToText(c))
                   .arg(col->GetName(), -7)
                   .arg(col->Title().GetCaption())
                   .arg(col->GetWidth())
                   .arg(alignName(col->GetAlignment()))
                   .arg(valueTypeName(col->GetValueType()));
    }
    out << QStringLiteral("cells:");
    int filled = 0;
    int objects = 0;
    int styled = 0;
    for (int r = 0; r < g.GetRows(); ++r) {
        for (int c = 0; c < g.GetCols(); ++c) {
            if (!g.PeekCell(r, c))
                continue;
            ++objects;
            TCellInfo *cell = g.Cells(r, c);
            styled += cell->GetRec() != nullptr;
            if (cell->GetText().isEmpty())
                continue;
            ++filled;
            QString line = QStringLiteral("  %1%2 %3").arg(TCustomQorGrid::ColToText(c)).arg(r + 1).arg(cell->GetText());
            QStringList notes;
            if (!cell->GetName().isEmpty())
                notes << QStringLiteral("name %1").arg(cell->GetName());
            notes << alignName(cell->GetAlignment());
            if (cell->GetValueType() != vtString)
                notes << valueTypeName(cell->GetValueType());
            if (const TQorFont *f = cell->PeekFont(); f && f->Font.bold())
                notes << QStringLiteral("bold %1pt").arg(f->Font.pointSize());
            const QString frames = framesOf(g, r, c);
            if (!frames.isEmpty())
                notes << QStringLiteral("frames %1").arg(frames);
            out << line + QStringLiteral("  [") + notes.join(QStringLiteral(", ")) + QStringLiteral("]");
        }
    }
    const TCellInfo *total = g.CellByName(QStringLiteral("total"));
    out << QStringLiteral("%1 filled cells, %2 cell objects, %3 with their own attributes; total %4 at %5%6")
               .arg(filled)
               .arg(objects)
               .arg(styled)
               .arg(total ? total->GetText() : QString())
               .arg(total ? TCustomQorGrid::ColToText(total->GetCol()) : QString())
               .arg(total ? total->GetRow() + 1 : 0);
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace qor::app
