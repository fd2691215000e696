#pragma once
// Readable evaluator values in test failure messages.
#include <ostream>

#include "formula/engine/exp_value.h"

namespace qor {
inline void PrintTo(const ExpValue &v, std::ostream *os)
{
    static const char *kinds[] = {"float", "int", "text", "bool", "date"};
    *os << kinds[int(v.GetType())] << " " << (v.IsText() ? "\"" + v.AsText() + "\"" : v.AsText());
}
} // namespace qor
