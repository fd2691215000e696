// Grid types, margins and spaces, header sizes, fixed and title rows, options.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "core/grid_p.h"

#include <vector>

using namespace qor;

TEST(GridLayout, OptionSetHasTheBitOrderOfStoredDocuments)
{
    EXPECT_EQ(TQorGridOptions::bit(qgoShadow), 1u);
    EXPECT_EQ(TQorGridOptions::bit(qgoEditing), 1u << 8);
    EXPECT_EQ(TQorGridOptions::bit(qgoAutoCalFormula), 1u << 22);
    EXPECT_EQ(TQorGridOptions::bit(qgoAlwaysShowButton), 1u << 31);
    const TQorGridOptions set{qgoRowSizing, qgoColSizing};
    EXPECT_EQ(set.Bits(), 0xCu);
    EXPECT_FALSE(DefaultGridOptions.Contains(qgoShadow));
    EXPECT_TRUE(DefaultGridOptions.Contains(qgoConfirmDelete));
    EXPECT_FALSE(DefaultGridOptions.Contains(qgoQuickShowHint));
    EXPECT_TRUE(DefaultGridOptions.Contains(qgoAutoNextRowCol));
}
