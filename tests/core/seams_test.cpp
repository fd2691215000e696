// The layers above the core are installed into every grid, can be stood in for, and are called
// in the documented order.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "core/grid.h"
#include "core/grid_p.h"
#include "formula/engine/exp_value.h"

using namespace qor;

namespace {

struct Log {
    std::vector<std::string> calls;
};

class FormulaSpy : public IFormulaHost {
public:
    explicit FormulaSpy(Log &log) : m_log(log) {}
    void TextReplacing(TCellInfo &cell, const QString &o, const QString &n) override
    {
        m_log.calls.push_back("replacing " + o.toStdString() + "->" + n.toStdString() + " stored=" +
                              cell.GetText().toStdString());
    }
    void TextStored(TCellInfo &cell, bool now) override
    {
        m_log.calls.push_back(std::string("stored ") + (now ? "now" : "later") + " " + cell.GetText().toStdString());
    }
    void RecalcDependents(TCellInfo &) override { m_log.calls.push_back("dependents"); }
    void UpdateFormulas() override { m_log.calls.push_back("update all"); }

private:
    Log &m_log;
};

class BindingStub : public IDataBinding {
public:
    bool controls = false;
    std::vector<std::string> writes;
    bool ControlsRowCount() const override { return controls; }
    bool IsBound(int row, int col) const override { return row == 0 && col == 0; }
    std::optional<QString> FieldText(int row, int col) const override
    {
        return IsBound(row, col) ? std::optional<QString>("field") : std::nullopt;
    }
    bool WriteField(int, int, const QString &v) override
    {
        writes.push_back(v.toStdString());
        return true;
    }
    std::optional<TCellType> FieldCellType(int row, int col) const override
    {
        return IsBound(row, col) ? std::optional<TCellType>(ctCheckBox) : std::nullopt;
    }
};

} // namespace

TEST(Seams, SetTextCallsFormulasInOrderAndDefersWhileLocked)
{
    TQorGrid g;
    Log log;
    GridPrivate::get(g).seams.formulas = std::make_unique<FormulaSpy>(log);
    g.OnChange = [&](QObject *, int, int) { log.calls.push_back("change"); };
    g.SetCellText(1, 1, "=A1");
    EXPECT_EQ(log.calls, (std::vector<std::string>{"replacing ->=A1 stored=", "stored now =A1", "dependents", "change"}));
    log.calls.clear();
    g.BeginUpdate();
    g.SetCellText(1, 1, "2");
    EXPECT_EQ(log.calls, (std::vector<std::string>{"replacing =A1->2 stored==A1", "stored later 2", "change"}));
    log.calls.clear();
    g.EndUpdate();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"update all"}));
    log.calls.clear();
    g.SetOptions(g.GetOptions().Without(qgoAutoCalFormula));
    EXPECT_TRUE(log.calls.empty());
    g.SetOptions(g.GetOptions().With(qgoAutoCalFormula));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"update all"}));
}

TEST(Seams, BoundPositionsReadAndWriteTheField)
{
    TQorGrid g;
    auto binding = std::make_unique<BindingStub>();
    BindingStub *b = binding.get();
    GridPrivate::get(g).seams.binding = std::move(binding);
    EXPECT_EQ(g.GetCellText(0, 0), "field");
    EXPECT_EQ(g.GetCellType(0, 0), ctCheckBox);
    g.SetCellText(0, 0, "new");
    EXPECT_EQ(b->writes, (std::vector<std::string>{"new"}));
    EXPECT_FALSE(g.PeekCell(0, 0)); // a bound position needs no cell
    // An existing cell is written through its text, and the field follows.
    g.Cells(0, 0)->SetText("cell");
    EXPECT_EQ(b->writes.back(), "cell");
    EXPECT_EQ(g.Cells(0, 0)->GetCellType(), ctCheckBox);
    g.Cells(0, 0)->SetWordWrap(true); // the record takes the field's editor kind
    EXPECT_EQ(g.Cells(0, 0)->GetRec()->Style.CellType, ctCheckBox);
    // Loading never writes fields.
    g.SetLoading(true);
    g.Cells(0, 0)->SetText("loaded");
    g.SetLoading(false);
    EXPECT_EQ(b->writes.back(), "cell");
    b->controls = true;
    g.SetRows(9);
    EXPECT_EQ(g.GetRows(), 4);
}

TEST(Seams, EveryGridHasFormulasAndRichTextAndGetsFormulasBackAfterAStandIn)
{
    TQorGrid g;
    GridSeams &seams = GridPrivate::get(g).seams;
    EXPECT_NE(seams.formulas->Manager(), nullptr);
    EXPECT_TRUE(seams.richText->FromPlain("x", nullptr).has_value());
    g.SetCellText(0, 0, "4");
    EXPECT_EQ(g.Evaluate("A1*2").AsDouble(), 8);
    Log log;
    seams.formulas = std::make_unique<FormulaSpy>(log);
    EXPECT_EQ(seams.formulas->Manager(), nullptr);
    EXPECT_EQ(g.Evaluate("A1*3").AsDouble(), 12);   // the formula members install the layer again
    EXPECT_NE(seams.formulas->Manager(), nullptr);
}

TEST(Seams, AConverterLessRichTextHostMakesNothingUp)
{
    TQorGrid g;
    GridPrivate::get(g).seams.richText = std::make_unique<IRichTextHost>();
    TCellInfo *c = g.Cells(0, 0);
    c->SetText("plain");
    c->SetCellType(ctRichEdit);
    EXPECT_TRUE(c->GetRichText().isEmpty());
    EXPECT_EQ(c->GetText(), "plain");
}
