// Formulas evaluated from their compiled form give what the text way gives: random sheets
// compared cell by cell with a twin that reads every formula the text way, and forms that must
// not outlive the texts or values they were made from.
#include "formula_fixture.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include "formula/engine/expression.h"
#include "formula/formula_compiled_p.h"

using namespace qor;
using qor::test::FormulaGrid;

namespace {

const char *const kPlain[] = {"", "0", "7", "-3", "12.5", "-0.25", "0.1", "0.30000000000000004", "1,234",
                              " 42 ", "1e5", "1E20", "-1e20", "abc", "-0", "007", "3.10", ".5",
                              "123456789012345678", "1e-7", "x1", "99999999999999.9", "-2.5E-3"};
const char *const kLiterals[] = {"2", "0.5", "10", "007", "1.25", "3"};
const char *const kOther[] = {"=SUM(A1:B3)", "=A1&\"x\"", "=Above+1", "=MAX(A1,B2)*2", "=A1+(B1*2)",
                              "=-A1+B2", "=A1 + B1", "=a2*b3", "=A1\t+B1", "= +A1", "=--A1", "=A 1+2", "=A1+", "=1 2", "=A1+B1%", "=PI+A1"};

class Twins {
public:
    explicit Twins(unsigned seed) : m_rng(seed)
    {
        FormulaManager::Of(m_text).Evaluator().SetCompiledForms(false);
        for (TQorGrid *g : {&m_compiled, &m_text}) {
            g->SetCols(kCols);
            g->SetRows(kRows);
        }
    }
    int Pick(int n) { return int(m_rng() % unsigned(n)); }
    QString Label(int row, int col) { return TCustomQorGrid::ColToText(col) + QString::number(row + 1); }
    QString RandomFormula()
    {
        if (Pick(8) == 0)
            return QString::fromLatin1(kOther[Pick(std::size(kOther))]);
        QString f = Pick(6) == 0 ? "=-" : "=";
        const int n = 1 + Pick(5);
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                f += QString(Pick(6) == 0 ? " " : "") + QChar("+-*/^+-*"[Pick(8)]);
            // Now and then a position outside the grid or above its first row.
            f += Pick(4) == 0 ? QString::fromLatin1(kLiterals[Pick(std::size(kLiterals))])
                              : Label(Pick(kRows + 2) - 1, Pick(kCols + 1));
        }
        return f;
    }
    QString RandomText()
    {
        return Pick(3) == 0 ? RandomFormula() : QString::fromLatin1(kPlain[Pick(std::size(kPlain))]);
    }
    template <class F>
    std::string Both(F f)
    {
        std::string raised[2];
        int i = 0;
        for (TQorGrid *g : {&m_compiled, &m_text}) {
            try {
                f(*g);
            } catch (const EExpressionError &e) {
                raised[i] = e.what();
            }
            ++i;
        }
        EXPECT_EQ(raised[0], raised[1]);
        return raised[0];
    }
    void Fill()
    {
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                const QString t = c < 3 ? QString::fromLatin1(kPlain[Pick(std::size(kPlain))]) : RandomText();
                Both([&](TQorGrid &g) { g.SetCellText(r, c, t); });
            }
        Both([](TQorGrid &g) { g.RefreshFormula(); });
    }
    void RandomStep()
    {
        const int r = Pick(kRows), c = Pick(kCols);
        switch (Pick(12)) {
        case 0: Both([&](TQorGrid &g) { g.InsertRow(r); g.DeleteRow(kRows); }); break;
        case 1: Both([&](TQorGrid &g) { g.DeleteRow(r); g.InsertRow(kRows - 1); }); break;
        case 2: Both([&](TQorGrid &g) { g.SetRowVisible(r, !g.GetRowVisible(r)); g.RefreshFormula(); }); break;
        case 3: Both([&](TQorGrid &g) { g.MergeCells(r, c, std::min(r + 1, kRows - 1), c); g.RefreshFormula(); }); break;
        default: {
            const QString t = RandomText();
            Both([&](TQorGrid &g) { g.SetCellText(r, c, t); });
        }
        }
    }
    static std::string Show(const TCellInfo *cell)
    {
        const ExpValue v = cell->GetFormulaValue();
        return v.IsText() ? v.AsText() : QString::number(v.AsDouble(), 'g', 17).toStdString();
    }
    // Every formula value alike, bit for bit, type included.
    int Compare(const std::string &when)
    {
        int differ = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                TCellInfo *a = m_compiled.Cells(r, c);
                TCellInfo *b = m_text.Cells(r, c);
                if (a->GetText() != b->GetText() || !(a->GetFormulaValue() == b->GetFormulaValue()) ||
                    a->GetIsNumber() != b->GetIsNumber()) {
                    if (differ++ < 3)
                        ADD_FAILURE() << when << ": " << Label(r, c).toStdString() << " "
                                      << a->GetText().toStdString() << " compiled " << Show(a) << " text way "
                                      << Show(b);
                }
            }
        return differ;
    }

    static constexpr int kRows = 14, kCols = 8;
    TQorGrid m_compiled, m_text;

private:
    std::mt19937 m_rng;
};

} // namespace

TEST(CompiledFormulas, RandomSheetsAgreeWithTheTextWay)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Twins t(seed);
        t.Fill();
        ASSERT_EQ(t.Compare("seed " + std::to_string(seed) + " full"), 0);
        for (int step = 0; step < 150; ++step) {
            t.RandomStep();
            ASSERT_EQ(t.Compare("seed " + std::to_string(seed) + " step " + std::to_string(step)), 0);
        }
        t.Both([](TQorGrid &g) { g.RefreshFormula(); });
        ASSERT_EQ(t.Compare("seed " + std::to_string(seed) + " last"), 0);
    }
}

TEST(CompiledFormulas, WrittenNumbersReadAsTheEngineReadsTheirText)
{
    std::mt19937_64 rng(7);
    TQorExpression engine;
    auto check = [&](double d) {
        fcompiled::Written w;
        if (!fcompiled::WriteNumber(d, w))
            return;
        char buf[32];
        std::string s = std::fabs(d) < 1e15 && d == std::trunc(d)
                            ? std::string(buf, std::to_chars(buf, buf + sizeof buf, int64_t(d)).ptr)
                            : exp::FormatNumber(d);
        if (d < 0)
            s = "(" + s + ")";
        engine.SetText(s);
        const double read = engine.GetValue().AsDouble();
        ASSERT_EQ(std::memcmp(&read, &w.value, sizeof read), 0) << s;
    };
    for (int i = 0; i < 20000; ++i) {
        const double n = double(int64_t(rng() % 2000000000000000ULL) - 1000000000000000LL);
        check(n / std::pow(10.0, double(rng() % 20)));
        check(double(int64_t(rng() % 200000) - 100000) / 100.0 * 3.0);
        double any;
        const uint64_t bits = rng();
        std::memcpy(&any, &bits, sizeof any);
        check(any);
    }
    for (double d : {0.0, -0.0, 1e-4, 9.99999999999999e-5, 1e15, 999999999999999.0, 0.1 + 0.2, -5e-324, 1e308})
        check(d);
}

using CompiledFormulaStaleness = FormulaGrid;

TEST_F(CompiledFormulaStaleness, NewTextsAndValuesAreRead)
{
    Column("A", {12, 3});
    Set("B1", "=A1+A2");
    EXPECT_EQ(Num("B1"), 15);
    Set("A1", "13"); // the same length: the value read before must not stand
    EXPECT_EQ(Num("B1"), 16);
    Set("B1", "=A1-A2");
    EXPECT_EQ(Num("B1"), 10);
    Set("B1", "=A1*A2");
    Set("A2", "2");
    EXPECT_EQ(Num("B1"), 26);
    Set("A2", "=A1+1"); // a plain cell becomes a formula
    EXPECT_EQ(Num("B1"), 13 * 14);
    Set("A2", "x"); // and a text: the text way joins them
    EXPECT_EQ(Value("B1"), Manager().Evaluate("13*[x]"));
}

TEST_F(CompiledFormulaStaleness, TextsOverACallersBufferAreReadAgain)
{
    // Such a text can change in place: its address proves nothing.
    char16_t number[] = u"12";
    char16_t formula[] = u"=A1+1";
    Set("A1", QString::fromRawData(reinterpret_cast<const QChar *>(number), 2));
    Set("B1", QString::fromRawData(reinterpret_cast<const QChar *>(formula), 5));
    EXPECT_EQ(Num("B1"), 13);
    number[1] = u'5';
    formula[4] = u'2';
    grid.RefreshFormula();
    EXPECT_EQ(Num("B1"), 17);
}

TEST_F(CompiledFormulaStaleness, FollowsInsertedAndDeletedRows)
{
    Column("A", {1, 2, 4});
    Set("B3", "=A1+A3");
    EXPECT_EQ(Num("B3"), 5);
    grid.InsertRow(1); // between A1 and A2: B4 =A1+A4
    EXPECT_EQ(Cell("B4")->GetText(), "=A1+A4");
    Set("A4", "40");
    EXPECT_EQ(Num("B4"), 41);
    Set("A2", "1000"); // the new row is read by nothing
    EXPECT_EQ(Num("B4"), 41);
    grid.DeleteRow(0); // B3 =A1+A3, A1 being the deleted row's successor
    Set("A1", "7");
    EXPECT_EQ(Num("B3"), 47);
    Set("A3", "8");
    EXPECT_EQ(Num("B3"), 15);
    ExpectConsistent();
}

TEST_F(CompiledFormulaStaleness, HiddenRowsAndCoveredCellsReadAsEmpty)
{
    Column("A", {2, 3});
    Set("B1", "=A1*10+A2");
    grid.SetRowVisible(1, false);
    grid.RefreshFormula();
    EXPECT_EQ(Num("B1"), 20);
    grid.SetRowVisible(1, true);
    grid.RefreshFormula();
    EXPECT_EQ(Num("B1"), 23);
    grid.MergeCells(0, 0, 1, 0); // A2 covered
    grid.RefreshFormula();
    EXPECT_EQ(Num("B1"), 20);
}
