// Exporting a 100,000 x 10 grid of mixed cells to .xlsx and importing it back, against the
// floors in the same run: a plain libxlsxwriter loop writing the same values with the same
// formats, and a plain liborcus load of the same file into its own document.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>
#include <map>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <variant>
#include <xlsxwriter.h>

#include "core/grid.h"
#include "formula/engine/exp_value.h"
#include "platform/runtime_dir.h"

using namespace qor;

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

// Per row: a text, a Chinese text, an integer, an amount with 2 decimals, a currency amount,
// a percentage, a date, a formula, a plain number and a text; one cell in five coloured, one
// in seven bold, one in eleven framed below.
void fill(TCustomQorGrid &grid)
{
    grid.SetCols(kCols);
    grid.SetRows(kRows);
    grid.BeginUpdate();
    const TValueType types[kCols] = {vtString, vtString, vtInteger, vtFloat, vtCurrency, vtPercent, vtString, vtFloat, vtString, vtString};
    for (int c = 0; c < kCols; ++c)
        grid.Columns(c)->SetValueType(types[c]);
    grid.Columns(6)->SetCellType(ctDate);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            const int i = r * kCols + c;
            QString t;
            switch (c) {
            case 0: t = QStringLiteral("Item %1").arg(r); break;
            case 1: t = QString::fromUtf8("客户%1").arg(i % 997); break;
            case 2: t = QString::number(i % 100000); break;
            case 3: t = QString::number(r * 7 % 1000 + 0.25 * (c % 4), 'f', 2); break;
            case 4: t = QString::number((r % 5000) * 1.5, 'f', 2); break;
            case 5: t = QString::number((r % 100) / 100.0); break;
            case 6: t = QDate(2024, 1, 1).addDays(r % 700).toString(QStringLiteral("yyyy-MM-dd")); break;
            case 7: t = QStringLiteral("=C%1*2+D%1").arg(r + 1); break;
            case 8: t = QString::number(r * 3 + 1); break;
            default: t = QStringLiteral("note %1").arg(r % 50); break;
            }
            grid.SetCellText(r, c, t);
            TCellInfo *cell = grid.Cells(r, c);
            if (i % 5 == 0)
                cell->SetBackColor(0x00E0F0FF);
            if (i % 7 == 0) {
                TQorFont font = cell->Font();
                font.Font.setBold(true);
                cell->SetFont(font);
            }
            if (i % 11 == 0)
                cell->SetBottomFrame(true);
        }
    }
    grid.EndUpdate();
    grid.UpdateFormula(true);
}

// The same cells for the raw writer: values ready, formats made once.
struct RawCell {
    std::variant<double, std::string, std::pair<std::string, double>> value;
    int format;
};

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<TQorGrid> grid = std::make_unique<TQorGrid>();
    std::vector<RawCell> cells;
    QString ours, raw;
    std::string fontName;
    double fontSize = 9;
    Fixture()
    {
        fill(*grid);
        ours = dir.filePath(QStringLiteral("ours.xlsx"));
        raw = dir.filePath(QStringLiteral("raw.xlsx"));
        fontName = grid->GetFont().Font.family().toStdString();
        fontSize = grid->GetFont().Font.pointSizeF();
        cells.reserve(size_t(kRows) * kCols);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                const int i = r * kCols + c;
                const QString t = grid->GetCellText(r, c);
                RawCell cell;
                cell.format = c * 8 + (i % 5 == 0) + 2 * (i % 7 == 0) + 4 * (i % 11 == 0);
                if (c == 0 || c == 1 || c == 9)
                    cell.value = t.toStdString();
                else if (c == 6)
                    cell.value = double(QDate(1899, 12, 30).daysTo(QDate::fromString(t, QStringLiteral("yyyy-MM-dd"))));
                else if (c == 7)
                    cell.value = std::make_pair(t.mid(1).toStdString(), grid->Cells(r, c)->GetFormulaValue().AsDouble());
                else
                    cell.value = t.toDouble();
                cells.push_back(std::move(cell));
            }
        }
        grid->ExportToExcel(ours, nullptr);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

std::map<std::string, double> seconds;

void keep(benchmark::State &state, const char *name, double total)
{
    seconds[name] = total / double(state.iterations());
}

void BM_Export(benchmark::State &state)
{
    Fixture &f = fixture();
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (!f.grid->ExportToExcel(f.ours, nullptr))
            state.SkipWithError("export failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    keep(state, "export", total);
    state.counters["file_MB"] = double(QFile(f.ours).size()) / 1e6;
}

void BM_RawWriter(benchmark::State &state)
{
    Fixture &f = fixture();
    const QByteArray path = QFile::encodeName(f.raw);
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        lxw_workbook *wb = workbook_new(path.constData());
        lxw_worksheet *ws = workbook_add_worksheet(wb, "Sheet1");
        const char *numFmts[kCols] = {nullptr, nullptr, "#,##0", "#,##0.00", "\"¥\"#,##0.00", "#,##0%", "yyyy-mm-dd", "#,##0.00", nullptr, nullptr};
        lxw_format *formats[kCols * 8];
        for (int k = 0; k < kCols * 8; ++k) {
            lxw_format *fmt = workbook_add_format(wb);
            format_set_font_name(fmt, f.fontName.c_str());
            format_set_font_size(fmt, f.fontSize);
            format_set_align(fmt, LXW_ALIGN_LEFT);
            format_set_align(fmt, LXW_ALIGN_VERTICAL_CENTER);
            if (numFmts[k / 8])
                format_set_num_format(fmt, numFmts[k / 8]);
            if (k & 1) {
                format_set_pattern(fmt, LXW_PATTERN_SOLID);
                format_set_bg_color(fmt, 0xFFF0E0);
            }
            if (k & 2)
                format_set_bold(fmt);
            if (k & 4)
                format_set_bottom(fmt, LXW_BORDER_THIN);
            formats[k] = fmt;
        }
        for (int c = 0; c < kCols; ++c)
            worksheet_set_column_pixels(ws, lxw_col_t(c), lxw_col_t(c), 64, nullptr);
        size_t i = 0;
        for (int r = 0; r < kRows; ++r) {
            worksheet_set_row_pixels(ws, lxw_row_t(r), 18, nullptr);
            for (int c = 0; c < kCols; ++c, ++i) {
                const RawCell &cell = f.cells[i];
                lxw_format *fmt = formats[cell.format];
                if (const double *d = std::get_if<double>(&cell.value))
                    worksheet_write_number(ws, lxw_row_t(r), lxw_col_t(c), *d, fmt);
                else if (const std::string *s = std::get_if<std::string>(&cell.value))
                    worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), s->c_str(), fmt);
                else {
                    const auto &fm = std::get<std::pair<std::string, double>>(cell.value);
                    worksheet_write_formula_num(ws, lxw_row_t(r), lxw_col_t(c), fm.first.c_str(), fmt, fm.second);
                }
            }
        }
        if (workbook_close(wb) != LXW_NO_ERROR)
            state.SkipWithError("raw write failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    keep(state, "writer", total);
    state.counters["file_MB"] = double(QFile(f.raw).size()) / 1e6;
}

void BM_Import(benchmark::State &state)
{
    Fixture &f = fixture();
    double total = 0;
    for (auto _ : state) {
        auto grid = std::make_unique<TQorGrid>();
        const auto t0 = std::chrono::steady_clock::now();
        if (!grid->ImportFromExcel(f.ours, nullptr) || grid->GetRows() != kRows)
            state.SkipWithError("import failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    keep(state, "import", total);
}

void BM_RawOrcus(benchmark::State &state)
{
    Fixture &f = fixture();
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        QFile file(f.ours);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        orcus::spreadsheet::document doc(orcus::spreadsheet::range_size_t{1048576, 16384});
        orcus::spreadsheet::import_factory factory(doc);
        orcus::orcus_xlsx(&factory).read_stream(std::string_view(bytes.constData(), size_t(bytes.size())));
        benchmark::DoNotOptimize(doc.get_sheet_count());
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    keep(state, "reader", total);
}

BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RawWriter)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RawOrcus)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    benchmark::RunSpecifiedBenchmarks();
    const auto ratio = [](const char *a, const char *b) {
        return seconds.count(a) && seconds.count(b) && seconds[b] > 0 ? seconds[a] / seconds[b] : 0.0;
    };
    std::printf("export %.0f ms / raw libxlsxwriter %.0f ms = %.2fx (goal <= 1.3x)\n", seconds["export"] * 1e3,
                seconds["writer"] * 1e3, ratio("export", "writer"));
    std::printf("import %.0f ms / raw liborcus load %.0f ms = %.2fx (goal <= 1.5x)\n", seconds["import"] * 1e3,
                seconds["reader"] * 1e3, ratio("import", "reader"));
    return 0;
}
