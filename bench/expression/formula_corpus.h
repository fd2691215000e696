#pragma once
// Formula texts of the shapes a cell formula takes once its references are replaced by
// numbers: sums of lists, products, nested functions, bracketed texts.
#include <random>
#include <string>
#include <vector>

namespace bench {

struct Corpus {
    std::vector<std::string> common; // understood by us and by muparser
    std::vector<std::string> ours;   // only ours: bracketed texts, "!", ROUND, FIND...
};

inline Corpus MakeCorpus(int n, unsigned seed = 42)
{
    std::mt19937 rng(seed);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const auto num = [&] {
        const int kind = pick(0, 3);
        if (kind == 0)
            return std::to_string(pick(1, 999));
        if (kind == 1)
            return std::to_string(pick(1, 9999)) + "." + std::to_string(pick(0, 99));
        if (kind == 2)
            return "0." + std::to_string(pick(1, 99));
        return std::to_string(pick(1, 100000));
    };
    const auto list = [&](int lo, int hi) {
        std::string s = num();
        for (int i = pick(lo, hi); i > 1; --i)
            s += "," + num();
        return s;
    };
    const char *fns[] = {"sum", "max", "min", "avg"};
    const char *ops[] = {"+", "-", "*", "/"};
    Corpus c;
    for (int i = 0; i < n; ++i) {
        std::string s;
        switch (i % 8) {
        case 0: // a column sum written out
            s = num();
            for (int k = pick(2, 11); k > 0; --k)
                s += "+" + num();
            break;
        case 1: // price times quantity, less a discount
            s = num() + "*" + num() + "-" + num() + "*" + num() + "/100";
            break;
        case 2:
            s = std::string(fns[pick(0, 3)]) + "(" + list(2, 12) + ")";
            break;
        case 3:
            s = "(" + num() + ops[pick(0, 3)] + num() + ")*(" + num() + "+" + num() + ")";
            break;
        case 4:
            s = std::string(fns[pick(0, 3)]) + "(" + list(2, 4) + ")" + ops[pick(0, 3)] + fns[pick(0, 3)] + "("
                + list(2, 4) + ")";
            break;
        case 5:
            s = "max(sum(" + list(2, 5) + "),min(" + list(2, 3) + ")*2)+abs(" + num() + "-" + num() + ")";
            break;
        case 6:
            s = "sqrt(" + num() + "*" + num() + ")+" + num() + "^2";
            break;
        case 7:
            s = num() + "/" + num();
            break;
        }
        c.common.push_back(s);
        switch (i % 4) {
        case 0:
            c.ours.push_back("[" + std::to_string(pick(1, 999)) + " pcs]+[ left]");
            break;
        case 1:
            c.ours.push_back("ROUND(" + num() + "*1.17)+" + std::to_string(pick(1, 9)) + "!");
            break;
        case 2:
            c.ours.push_back("FIND([c],[abcabc])+LEN([invoice " + std::to_string(pick(1, 9999)) + "])");
            break;
        case 3:
            c.ours.push_back(s);
            break;
        }
    }
    return c;
}

} // namespace bench
