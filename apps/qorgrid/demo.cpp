#include "demo.h"

#include <QStringList>
#include "core/grid.h"

namespace qor::app {

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
    const int first = 3;
    const int lines = int(std::size(kLines));
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
    int styled = 0;
    for (int r = 0; r < g.GetRows(); ++r) {
        for (int c = 0; c < g.GetCols(); ++c) {
            if (!g.PeekCell(r, c))
                continue;
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
               .arg(g.CellList().CellCount())
               .arg(styled)
               .arg(total ? total->GetText() : QString())
               .arg(total ? TCustomQorGrid::ColToText(total->GetCol()) : QString())
               .arg(total ? total->GetRow() + 1 : 0);
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace qor::app
