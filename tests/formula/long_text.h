#pragma once
// Long formula texts built from a repeated piece.
#include <string>
#include <string_view>

namespace qor::test {
inline std::string Repeat(std::string_view s, int n)
{
    std::string out;
    out.reserve(s.size() * size_t(n));
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}
} // namespace qor::test
