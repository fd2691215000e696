#include "demo_invoice.h"

#include <iterator>
#include "core/grid.h"

namespace qor::demo {

namespace {

struct Line {
    const char *item;
    int qty;
    double price;
};

const Line kLines[] = {
    {"办公椅", 4, 385.00},
    {"文件柜", 2, 1260.50},
    {"打印纸 A4", 30, 24.80},
    {"签字笔", 120, 2.35},
};

QString money(double v) { return QString::number(v, 'f', 2); }

void frameBox(TCustomQorGrid &g, int top, int left, int bottom, int right, int width)
{
    for (int c = left; c <= right; ++c) {
        g.Cells(top, c)->SetTopFrame(true);
        g.Cells(top, c)->SetTopFrameWidth(width);
        g.Cells(bottom, c)->SetBottomFrame(true);
        g.Cells(bottom, c)->SetBottomFrameWidth(width);
    }
    for (int r = top; r <= bottom; ++r) {
        g.Cells(r, left)->SetLeftFrame(true);
        g.Cells(r, left)->SetLeftFrameWidth(width);
        g.Cells(r, right)->SetRightFrame(true);
        g.Cells(r, right)->SetRightFrameWidth(width);
    }
}

} // namespace

void BuildDemoInvoice(TCustomQorGrid &g)
{
    const int first = FirstLineRow;
    const int lines = LineCount;
    static_assert(std::size(kLines) == LineCount);
    const int totalRow = first + lines;
    g.BeginUpdate();
    g.SetOptions(g.GetOptions().With(qgoShadow));
    g.SetCols(5);
    g.SetRows(totalRow + 3);

    TQorStrings titles;
    titles.SetText("序号\n品名\n数量\n单价\n金额");
    g.SetColumnTitles(titles);
    const int widths[] = {64, 150, 56, 80, 136};
    const char *names[] = {"No", "Item", "Qty", "Price", "Amount"};
    for (int c = 0; c < 5; ++c) {
        g.SetColWidth(c, widths[c]);
        g.Columns(c)->SetName(names[c]);
    }
    g.Columns(0)->SetAlignment(taCenter);
    for (int c = 2; c < 5; ++c)
        g.Columns(c)->SetAlignment(taRightJustify);
    g.Columns(2)->SetValueType(vtInteger);
    g.Columns(3)->SetValueType(vtFloat);
    g.Columns(3)->SetDigits(2);
    // Amounts are drawn as a ruled ledger column.
    g.Columns(4)->SetValueType(vtCurrency);
    g.Columns(4)->SetShowCurrencyLine(true);

    g.SetRowHeight(0, 36);
    TCellInfo *title = g.Cells(0, 0);
    title->SetText("销售发票");
    title->Font().Font.setPointSize(16);
    title->Font().Font.setBold(true);
    title->SetAlignment(taCenter);
    title->SetName("Title");
    g.MergeCells(0, 0, 0, 4);
    g.SetCellText(1, 0, "客户：");
    g.Cells(1, 0)->SetAlignment(taLeftJustify);
    g.SetCellText(1, 1, "华东贸易有限公司");
    g.SetCellText(1, 3, "日期：");
    g.Cells(1, 3)->SetValueType(vtString);
    g.SetCellText(1, 4, "2026-12-06");
    g.Cells(1, 4)->SetValueType(vtString);
    g.SetTitleRows(3);

    for (int c = 0; c < 5; ++c) {
        TCellInfo *head = g.Cells(2, c);
        head->SetText(g.Columns(c)->Title().GetCaption());
        head->SetAlignment(taCenter);
        head->SetValueType(vtString);
        head->SetBackColor(clSilver);
    }
    // The first header is a diagonal cell: items across the top, line numbers down the side.
    g.SetRowHeight(2, 34);
    TCellInfo *corner = g.Cells(2, 0);
    corner->SetRightText("项目");
    corner->SetLeftText("序号");
    corner->SetBiasColor(clGray);

    for (int i = 0; i < lines; ++i) {
        const int r = first + i;
        g.SetCellText(r, 0, QString::number(i + 1));
        g.SetCellText(r, 1, QString::fromUtf8(kLines[i].item));
        g.SetCellText(r, 2, QString::number(kLines[i].qty));
        g.SetCellText(r, 3, money(kLines[i].price));
        g.SetCellText(r, 4, QStringLiteral("=C%1*D%1").arg(r + 1));
    }

    g.SetCellText(totalRow, 1, "合计");
    g.Cells(totalRow, 1)->SetAlignment(taCenter);
    TCellInfo *sum = g.Cells(totalRow, 4);
    sum->SetText(QStringLiteral("=SUM(E%1:E%2)").arg(first + 1).arg(totalRow));
    sum->SetName("Total");
    sum->Font().Font.setBold(true);
    g.SetCellText(totalRow + 1, 1, "大写金额");
    TCellInfo *words = g.Cells(totalRow + 1, 2);
    words->SetText(QStringLiteral("=E%1").arg(totalRow + 1));
    words->SetValueType(vtChineseLongCurr);
    words->SetAlignment(taLeftJustify);
    g.MergeCells(totalRow + 1, 2, totalRow + 1, 4);
    words->SetName("TotalInWords");
    g.SetCellText(totalRow + 2, 0, "备注：货到付款");
    g.Cells(totalRow + 2, 0)->SetAlignment(taLeftJustify);
    g.MergeCells(totalRow + 2, 0, totalRow + 2, 4);

    frameBox(g, 2, 0, totalRow + 1, 4, 1);
    frameBox(g, 2, 0, 2, 4, 2);
    frameBox(g, totalRow, 0, totalRow, 4, 2);
    g.EndUpdate();
}

} // namespace qor::demo
