// Integer value types with separators: rounded to 2 decimals, then cut at the point; the sign
// is that of the rounded number.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include "format/display_text.h"

using namespace qor;

namespace {

struct Row {
    const char *stored;
    const char *shown;
};

class IntegerDisplay : public ::testing::TestWithParam<TValueType> {};

TEST_P(IntegerDisplay, SignOfTheRoundedNumber)
{
    const Row rows[] = {
        {"-0.97", "-0"},         // not zero after rounding: the cut keeps the sign
        {"-0.5", "-0"},
        {"-0.005", "-0"},        // rounds to -0.01
        {"-0.004", "0"},         // rounds to zero: no sign
        {"-0.0001", "0"},
        {"-0", "0"},
        {"-0.999", "-1"},
        {"-1234.999", "-1,235"},
        {"-1234567", "-1,234,567"},
        {"0.97", "0"},
        {"1234.999", "1,235"},
        {"abc", "0"},
    };
    for (const Row &r : rows) {
        TDisplayAttrs a;
        a.valueType = GetParam();
        a.thousandSeparators = true;
        EXPECT_EQ(DisplayText(QString::fromLatin1(r.stored), a), QString::fromLatin1(r.shown)) << r.stored;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, IntegerDisplay, ::testing::Values(vtInteger, vtNegInt));

} // namespace
