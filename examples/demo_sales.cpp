#include "demo_sales.h"

#include "core/grid.h"
#include "core/model/cell.h"
#include "core/model/column.h"
#include "objects/qor_chart.h"

namespace qor::demo {

TQorChart *BuildDemoSales(TCustomQorGrid &grid)
{
    grid.SetRows(40);
    grid.SetCols(15);
    grid.SetDefaultRowHeight(24);
    const int widths[] = {64, 90, 80, 80, 80};
    for (int c = 0; c < 5; ++c)
        grid.SetColWidth(c, widths[c]);
    grid.MergeCells(0, 0, 0, 4);
    TCellInfo *title = grid.Cells(0, 0);
    title->SetText(QStringLiteral("二〇二六年各区销售额（万元）"));
    title->SetAlignment(taCenter);
    const QString heads[] = {QStringLiteral("月份"), QStringLiteral("合计"), QStringLiteral("华东"),
                             QStringLiteral("华南"), QStringLiteral("华北")};
    for (int c = 0; c < 5; ++c) {
        TCellInfo *h = grid.Cells(1, c);
        h->SetText(heads[c]);
        h->SetAlignment(taCenter);
        h->SetBackColor(0xE8D8C8);
    }
    const int sales[12][3] = {{132, 98, 75},  {118, 91, 70},  {145, 104, 82},  {151, 110, 88},
                              {160, 121, 93}, {172, 130, 97}, {168, 127, 101}, {175, 133, 104},
                              {181, 139, 110}, {176, 135, 108}, {190, 142, 115}, {214, 160, 128}};
    for (int m = 0; m < 12; ++m) {
        const int r = 2 + m;
        grid.SetCellText(r, 0, QStringLiteral("%1月").arg(m + 1));
        for (int c = 0; c < 3; ++c)
            grid.SetCellText(r, 2 + c, QString::number(sales[m][c]));
        grid.SetCellText(r, SalesTotalCol, QStringLiteral("=SUM(C%1:E%1)").arg(r + 1));
    }
    grid.SetCellText(SalesTotalRow, 0, QStringLiteral("全年"));
    for (int c = 1; c <= 4; ++c)
        grid.SetCellText(SalesTotalRow, c, QStringLiteral("=SUM(%1%2:%1%3)").arg(QChar('A' + c)).arg(3).arg(14));
    for (int c = 1; c <= 4; ++c)
        grid.Columns(c)->SetAlignment(taRightJustify);

    // Months down the first column, their totals beside them: one series of twelve bars.
    TQorChart *chart = grid.InsertChart(QStringLiteral("月度合计"), 1, 6);
    chart->resize(540, 290);
    TChartDefinition def;
    def.Kind = ckBar;
    def.Title = QStringLiteral("月度合计（万元）");
    def.Row1 = 1, def.Col1 = 0, def.Row2 = 13, def.Col2 = 1;
    def.ShowLegend = false;
    chart->SetDefinition(def);
    return chart;
}

} // namespace qor::demo
