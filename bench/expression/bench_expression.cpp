// Set-and-evaluate of formula texts, as the grid does it: every text set once and read once.
// Peers in the same run: muparser (SetExpr + Eval) and a minimal re-parsing evaluator (the floor).
#include <benchmark/benchmark.h>

#include <QString>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <muParser.h>

#include "floor_evaluator.h"
#include "formula/engine/expression.h"
#include "formula_corpus.h"

namespace {

constexpr int kTexts = 1200;
const std::string kFixed = "1.5+2*3-4/2+sum(1,2)"; // 20 characters

const bench::Corpus &Texts()
{
    static const bench::Corpus corpus = [] {
        bench::Corpus c = bench::MakeCorpus(kTexts);
        // Keep only what both engines read without an error.
        mu::Parser mp;
        std::vector<std::string> common;
        for (const std::string &s : c.common) {
            try {
                mp.SetExpr(s);
                mp.Eval();
                qor::TQorExpression e;
                e.SetText(std::string_view(s));
                e.GetValue();
                common.push_back(s);
            } catch (...) {
            }
        }
        c.common = std::move(common);
        return c;
    }();
    return corpus;
}

double OursPass(const std::vector<std::string> &texts, qor::TQorExpression &e)
{
    double sink = 0;
    for (const std::string &s : texts) {
        e.SetText(std::string_view(s));
        sink += e.GetValue().AsDouble();
    }
    return sink;
}

double MuparserPass(const std::vector<std::string> &texts, mu::Parser &p)
{
    double sink = 0;
    for (const std::string &s : texts) {
        p.SetExpr(s);
        sink += p.Eval();
    }
    return sink;
}

double FloorPass(const std::vector<std::string> &texts, bench::FloorEvaluator &f)
{
    double sink = 0;
    for (const std::string &s : texts)
        sink += f.Eval(s);
    return sink;
}

void BM_Ours_SetEval_Common(benchmark::State &state)
{
    qor::TQorExpression e;
    for (auto _ : state)
        benchmark::DoNotOptimize(OursPass(Texts().common, e));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(Texts().common.size()));
}

void BM_Muparser_SetEval_Common(benchmark::State &state)
{
    mu::Parser p;
    for (auto _ : state)
        benchmark::DoNotOptimize(MuparserPass(Texts().common, p));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(Texts().common.size()));
}

void BM_Floor_SetEval_Common(benchmark::State &state)
{
    bench::FloorEvaluator f;
    for (auto _ : state)
        benchmark::DoNotOptimize(FloorPass(Texts().common, f));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(Texts().common.size()));
}

void BM_Ours_SetEval_OursOnly(benchmark::State &state)
{
    qor::TQorExpression e;
    for (auto _ : state)
        benchmark::DoNotOptimize(OursPass(Texts().ours, e));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(Texts().ours.size()));
}

// The grid holds its texts as QString: the conversion is part of its cost.
void BM_Ours_SetEval_Common_QString(benchmark::State &state)
{
    std::vector<QString> texts;
    for (const std::string &s : Texts().common)
        texts.push_back(QString::fromStdString(s));
    qor::TQorExpression e;
    for (auto _ : state) {
        double sink = 0;
        for (const QString &s : texts) {
            e.SetText(s);
            sink += e.GetValue().AsDouble();
        }
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(texts.size()));
}

void BM_Ours_Fixed20_ReadRepeatedly(benchmark::State &state)
{
    qor::TQorExpression e;
    e.SetText(std::string_view(kFixed));
    for (auto _ : state)
        benchmark::DoNotOptimize(e.GetValue());
    state.SetItemsProcessed(int64_t(state.iterations()));
}

void BM_Muparser_Fixed20_SetEval(benchmark::State &state)
{
    mu::Parser p;
    for (auto _ : state) {
        p.SetExpr(kFixed);
        benchmark::DoNotOptimize(p.Eval());
    }
    state.SetItemsProcessed(int64_t(state.iterations()));
}

void BM_Floor_Fixed20(benchmark::State &state)
{
    bench::FloorEvaluator f;
    for (auto _ : state)
        benchmark::DoNotOptimize(f.Eval(kFixed));
    state.SetItemsProcessed(int64_t(state.iterations()));
}

BENCHMARK(BM_Ours_SetEval_Common);
BENCHMARK(BM_Muparser_SetEval_Common);
BENCHMARK(BM_Floor_SetEval_Common);
BENCHMARK(BM_Ours_SetEval_OursOnly);
BENCHMARK(BM_Ours_SetEval_Common_QString);
BENCHMARK(BM_Ours_Fixed20_ReadRepeatedly);
BENCHMARK(BM_Muparser_Fixed20_SetEval);
BENCHMARK(BM_Floor_Fixed20);

double ThreadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

// Best of several passes, in nanoseconds of this thread's CPU time per text: the machine is
// shared, and wall time would charge us for the others.
template<typename F>
double NsPerText(size_t count, F pass)
{
    double best = 1e300;
    for (int r = 0; r < 15; ++r) {
        const double t0 = ThreadCpuNs();
        benchmark::DoNotOptimize(pass());
        best = std::min(best, (ThreadCpuNs() - t0) / double(count));
    }
    return best;
}

void PrintSummary()
{
    const auto &c = Texts();
    qor::TQorExpression e;
    mu::Parser p;
    bench::FloorEvaluator f;
    double chars = 0;
    for (const std::string &s : c.common)
        chars += double(s.size());
    const double ours = NsPerText(c.common.size(), [&] { return OursPass(c.common, e); });
    const double mu = NsPerText(c.common.size(), [&] { return MuparserPass(c.common, p); });
    const double flo = NsPerText(c.common.size(), [&] { return FloorPass(c.common, f); });
    std::printf("\nsummary: %zu texts both understand (of %d), %.1f characters on average\n", c.common.size(),
                kTexts, chars / double(c.common.size()));
    std::printf("summary: set+evaluate (CPU time)  ours %.0f ns   muparser %.0f ns   floor %.0f ns per text\n", ours, mu, flo);
    std::printf("summary: muparser / ours = %.1fx   (goal >= 20x)   ours / floor = %.1fx\n", mu / ours, ours / flo);
    e.SetText(std::string_view(kFixed));
    const double fixed = NsPerText(100000, [&] {
        double s = 0;
        for (int i = 0; i < 100000; ++i)
            s += e.GetValue().AsDouble();
        return s;
    });
    std::printf("summary: fixed 20-character text \"%s\" read repeatedly: %.0f ns, %.2f million evaluations/s\n",
                kFixed.c_str(), fixed, 1e3 / fixed);
}

// Large machine-written texts, set once and read once: a join of one-character texts (muparser
// has no text values, so this one is ours alone) and 20 MiB sums, differences and products.
std::string Joined(std::string_view first, std::string_view piece, size_t bytes)
{
    std::string out(first);
    out.reserve(bytes + piece.size());
    while (out.size() + piece.size() <= bytes)
        out += piece;
    return out;
}

template<typename F>
double SecondsOnce(F run)
{
    const double t0 = ThreadCpuNs();
    benchmark::DoNotOptimize(run());
    return (ThreadCpuNs() - t0) / 1e9;
}

double OursLarge(const std::string &text, size_t *resultSize = nullptr)
{
    qor::TQorExpression e;
    e.SetText(std::string_view(text));
    const qor::ExpValue v = e.GetValue();
    if (resultSize)
        *resultSize = v.AsText().size();
    return v.AsDouble();
}

// muparser refuses texts longer than its limit (20,000 characters in 2.3.3): say so.
double MuparserLarge(const std::string &text, std::string *refused = nullptr)
{
    try {
        mu::Parser p;
        p.SetExpr(text);
        return p.Eval();
    } catch (const mu::Parser::exception_type &e) {
        if (refused)
            *refused = e.GetMsg();
        return -1;
    }
}

// Many reads of a text muparser still takes, in microseconds per set + evaluate.
template<typename F>
double MicrosPerRead(F read)
{
    double best = 1e300;
    for (int r = 0; r < 5; ++r) {
        const double t0 = ThreadCpuNs();
        for (int i = 0; i < 50; ++i)
            benchmark::DoNotOptimize(read());
        best = std::min(best, (ThreadCpuNs() - t0) / 50 / 1e3);
    }
    return best;
}

void PrintLargeSummary()
{
    for (const size_t pieces : {size_t(10000), size_t(100000), size_t(1000000)}) {
        const std::string text = Joined("[a]", "+[a]", pieces * 4 - 1);
        size_t size = 0;
        const double t = SecondsOnce([&] { return OursLarge(text, &size); });
        std::printf("summary: join of %zu one-character texts (%zu bytes): ours %.3f s, result %zu characters\n",
                    pieces, text.size(), t, size);
        if (t > 20)
            break; // quadratic: the next size would take a hundred times as long
    }
    const size_t mib20 = size_t(20) << 20;
    for (const char *op : {"+", "-", "*"}) {
        const std::string text = Joined("1", std::string(op) + "1", mib20);
        double value = 0;
        const double ours = SecondsOnce([&] { return value = OursLarge(text); });
        std::string refused;
        MuparserLarge(text, &refused);
        std::printf("summary: 20 MiB of 1%s1%s...: ours %.2f s (value %g), muparser: %s\n", op, op, ours, value,
                    refused.empty() ? "evaluates it" : refused.c_str());
    }
    for (const char *op : {"+", "-", "*"}) {
        const std::string text = Joined("1", std::string(op) + "1", 19999);
        const double ours = MicrosPerRead([&] { return OursLarge(text); });
        const double mu = MicrosPerRead([&] { return MuparserLarge(text); });
        std::printf("summary: 19,999 characters of 1%s1%s... (muparser's longest): ours %.0f us, muparser %.0f us, "
                    "ratio %.1fx\n", op, op, ours, mu, mu / ours);
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    PrintLargeSummary();
    return 0;
}
