// The formula store's tables: the open-addressing map against a reference under random use,
// and the list with its holes.
#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include "formula/flat_map_p.h"
#include "formula/formula_store_p.h"

using namespace qor;

TEST(CellFormulaStore, FlatMapAgreesWithAReferenceMap)
{
    FlatMap<PosKey, int, NoKey> map;
    std::unordered_map<PosKey, int> ref;
    std::mt19937 rng(7);
    // Few distinct keys close together: long probe runs, many erasures inside them.
    for (int step = 0; step < 200000; ++step) {
        const PosKey key = MakeKey(int(rng() % 300), int(rng() % 4));
        switch (rng() % 3) {
        case 0:
            map[key] = step;
            ref[key] = step;
            break;
        case 1:
            EXPECT_EQ(map.erase(key), ref.erase(key) == 1);
            break;
        default: {
            const int *found = map.find(key);
            auto it = ref.find(key);
            ASSERT_EQ(found != nullptr, it != ref.end()) << step;
            if (found)
                EXPECT_EQ(*found, it->second);
        }
        }
        ASSERT_EQ(map.size(), ref.size());
    }
    size_t seen = 0;
    map.forEach([&](PosKey k, int v) {
        ++seen;
        EXPECT_EQ(ref.at(k), v);
    });
    EXPECT_EQ(seen, ref.size());
}
