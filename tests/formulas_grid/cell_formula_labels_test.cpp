// Labels, formula texts and rewriting references as text.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "formula/cell_formula.h"
#include "formula/formula_text_p.h"

using namespace qor;

TEST(CellLabels, ColumnLettersBothWays)
{
    const std::pair<int, const char *> cases[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {27, "AB"}, {701, "ZZ"}, {702, "AAA"}};
    for (auto [col, text] : cases) {
        EXPECT_EQ(TCustomQorGrid::ColToColText(col), QString::fromLatin1(text));
        EXPECT_EQ(TCustomQorGrid::ColTextToCol(QString::fromLatin1(text)), col);
    }
    EXPECT_EQ(TCustomQorGrid::ColTextToCol("ab"), 27);
    EXPECT_EQ(TCustomQorGrid::GetCellLabel(0, 0), "A1");
    EXPECT_EQ(TCustomQorGrid::GetCellLabel(11, 27), "AB12");
    EXPECT_EQ(TCustomQorGrid::GetCellLabel(-1, 0), "");
    EXPECT_EQ(TCustomQorGrid::GetCellLabel(0, -1), "");
}

TEST(CellLabels, ParseColRow)
{
    int col, row;
    TCustomQorGrid::ParseColRow("AB12", col, row);
    EXPECT_EQ(col, 27);
    EXPECT_EQ(row, 12);
    TCustomQorGrid::ParseColRow("A1B", col, row);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, -1);
    TCustomQorGrid::ParseColRow("12", col, row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, 12);
    TCustomQorGrid::ParseColRow("A99999999999", col, row);
    EXPECT_EQ(row, -1) << "a row number beyond int is no row";
}

TEST(CellLabels, ReferenceTokens)
{
    EXPECT_TRUE(ftext::IsRefToken(u"A1"));
    EXPECT_TRUE(ftext::IsRefToken(u"A1B2"));
    EXPECT_FALSE(ftext::IsRefToken(u"1A"));
    EXPECT_FALSE(ftext::IsRefToken(u"AB"));
    EXPECT_FALSE(ftext::IsRefToken(u"$A$1"));
    int row, col;
    EXPECT_FALSE(ftext::ParseReference(u"A1B2", row, col));
    ASSERT_TRUE(ftext::ParseReference(u"aa3", row, col));
    EXPECT_EQ(col, 26);
    EXPECT_EQ(row, 2);
    ASSERT_TRUE(ftext::ParseReference(u"AAAAAAA1", row, col)) << "long column texts take the slow road";
    EXPECT_EQ(col, TCustomQorGrid::ColTextToCol("AAAAAAA"));
    EXPECT_FALSE(ftext::ParseReference(u"ABCDEFGH1", row, col)) << "a column beyond int";
}

TEST(CellLabels, AboveIsAWholeWordOutsideQuotes)
{
    // Row 9 (C10) of a grid with one title row reads the data rows above it.
    EXPECT_EQ(ftext::ReplaceAbove("SUM(Above)", 9, 2, 1), "SUM(C2:C9)");
    EXPECT_EQ(ftext::ReplaceAbove("SUM(above)+max(ABOVE)", 3, 0, 0), "SUM(A1:A3)+max(A1:A3)");
    EXPECT_EQ(ftext::ReplaceAbove("SUM(Above)", 0, 0, 1), "SUM(0)");
    // At or above the title rows the range starts at row 0.
    EXPECT_EQ(ftext::ReplaceAbove("SUM(Above)", 1, 0, 2), "SUM(A1:A1)");
    EXPECT_EQ(ftext::ReplaceAbove("Aboveground+ABOVEx", 3, 0, 0), "Aboveground+ABOVEx");
    EXPECT_EQ(ftext::ReplaceAbove("\" Above\"&Above", 3, 0, 0), "\" Above\"&Above")
        << "inside quotes nothing counts, and a word after \"&\" does not start a keyword";
    EXPECT_EQ(ftext::ReplaceAbove("Above", 2, 1, 0), "B1:B2");
}

TEST(CellLabels, IncFormulaRowShiftsEveryReference)
{
    EXPECT_EQ(IncFormulaRow(nullptr, "=A1+B2*SUM(C3:D4)", 2), "=A3+B4*SUM(C5:D6)");
    EXPECT_EQ(IncFormulaRow(nullptr, "=A2-1", -1), "=A1-1");
    EXPECT_EQ(IncFormulaRow(nullptr, "=A1+1", -1), "=+1") << "a row before the first has an empty label";
    EXPECT_EQ(IncFormulaRow(nullptr, "plain A1", 1), "plain A1");
    EXPECT_EQ(IncFormulaRow(nullptr, "=SUM(Above)", 3), "=SUM(Above)");
    // Quoted texts and function names are not references.
    EXPECT_EQ(IncFormulaRow(nullptr, "=A1&\"B2\"+LOG10(A2)", 1), "=A2&\"B2\"+LOG10(A3)");
    EXPECT_EQ(IncFormulaRow(nullptr, "= A1 + B1 ", 1), "= A2 + B2 ");
}

TEST(CellLabels, CollectedReferences)
{
    std::vector<ftext::RefRect> refs;
    EXPECT_TRUE(ftext::CollectReferences(u"SUM(B3:A1, C2)+D4*\"E5\"", refs));
    ASSERT_EQ(refs.size(), 3u);
    EXPECT_EQ(refs[0].top, 0);
    EXPECT_EQ(refs[0].left, 0);
    EXPECT_EQ(refs[0].bottom, 2);
    EXPECT_EQ(refs[0].right, 1);
    EXPECT_EQ(refs[1].top, 1);
    EXPECT_EQ(refs[2].left, 3);
    refs.clear();
    EXPECT_FALSE(ftext::CollectReferences(u"A1+SUM(A1:3)", refs)) << "a numeric part spoils the range";
    EXPECT_EQ(refs.size(), 1u);
    ftext::RefRect r;
    EXPECT_FALSE(ftext::ParseRange(u"A1:B", r));
    EXPECT_FALSE(ftext::ParseRange(u"A1+B1:B2", r));
    EXPECT_TRUE(ftext::ParseRange(u" A1:B2 ", r));
    EXPECT_TRUE(ftext::ParseRange(u"C1:A3:B9", r));
    EXPECT_EQ(r.bottom, 8);
    EXPECT_EQ(r.right, 2);
}
