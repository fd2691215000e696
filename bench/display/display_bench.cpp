// Display text of 1,000,000 vtFloat cells (group separators, 2 decimals) against
// QLocale::toString(value, 'f', 2) with group separators on the same numbers.
#include <benchmark/benchmark.h>

#include <QLocale>
#include <QRandomGenerator>
#include <QString>
#include <cstdio>
#include <map>
#include <vector>
#include "format/display_text.h"

namespace {

constexpr int kCount = 1'000'000;

struct Data {
    std::vector<double> values;
    std::vector<QString> texts;  // what the cells store: the number as typed
};

const Data &data()
{
    static const Data d = [] {
        Data d;
        QRandomGenerator rng(42);
        d.values.reserve(kCount);
        d.texts.reserve(kCount);
        for (int i = 0; i < kCount; ++i) {
            // Amounts of 1 to 9 integer digits with 0 to 3 decimals, a tenth of them negative.
            const int intDigits = 1 + int(rng.bounded(9));
            const int decimals = int(rng.bounded(4));
            double v = rng.generateDouble() * std::pow(10.0, intDigits);
            if (rng.bounded(10) == 0)
                v = -v;
            const QString text = QString::number(v, 'f', decimals);
            d.texts.push_back(text);
            d.values.push_back(text.toDouble());
        }
        return d;
    }();
    return d;
}

QLocale groupingLocale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);  // group separators on
    return c;
}

void BM_QorDisplayText(benchmark::State &state)
{
    const Data &d = data();
    qor::TDisplayAttrs attrs;
    attrs.valueType = qor::vtFloat;
    attrs.digits = 2;
    attrs.thousandSeparators = true;
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QString &t : d.texts)
            total += qor::FormatValueText(t, attrs).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_QLocaleToString(benchmark::State &state)
{
    const Data &d = data();
    const QLocale locale = groupingLocale();
    for (auto _ : state) {
        qsizetype total = 0;
        for (double v : d.values)
            total += locale.toString(v, 'f', 2).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

BENCHMARK(BM_QorDisplayText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QLocaleToString)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's time per iteration so that the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> cpuTime;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Iteration)
                cpuTime[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    // Both sides must print the same texts, or the comparison means nothing.
    const Data &d = data();
    const QLocale locale = groupingLocale();
    qor::TDisplayAttrs attrs;
    attrs.valueType = qor::vtFloat;
    int halves = 0, negativeZero = 0, other = 0;
    for (int i = 0; i < kCount; ++i) {
        const QString &t = d.texts[size_t(i)];
        if (qor::FormatValueText(t, attrs) == locale.toString(d.values[size_t(i)], 'f', 2))
            continue;
        // A typed 2.675 is rounded up as written; its nearest double (2.67499…) rounds down.
        const bool half = t.indexOf(u'.') == t.size() - 4 && t.endsWith(u'5');
        // -0.001 shows 0.00, not -0.00.
        const bool zero = qor::FormatValueText(t, attrs) == QLatin1String("0.00");
        ++(half ? halves : zero ? negativeZero : other);
    }
    std::printf("texts that differ from QLocale's (of %d): %d halves rounded as written, "
                "%d without the sign of a rounded zero, %d others\n",
                kCount, halves, negativeZero, other);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.cpuTime["BM_QorDisplayText/min_time:2.000"];
    const double peer = reporter.cpuTime["BM_QLocaleToString/min_time:2.000"];
    if (ours > 0 && peer > 0)
        std::printf("display text / QLocale::toString: %.2fx (goal <= 1.5x)\n", ours / peer);
    benchmark::Shutdown();
    return 0;
}
