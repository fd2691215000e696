// The array with room at both ends, against std::vector under the same random operations.
#include <gtest/gtest.h>

#include <random>
#include <vector>
#include "core/model/ends_vector.h"

using qor::EndsVector;

namespace {

struct Wide {
    int key = 0;
    double weight = 0;
    bool operator==(const Wide &) const = default;
};

template <class T>
void expectSame(const EndsVector<T> &ours, const std::vector<T> &model)
{
    ASSERT_EQ(ours.size(), model.size());
    for (size_t i = 0; i < model.size(); ++i)
        ASSERT_EQ(ours[i], model[i]) << "at " << i;
    EXPECT_EQ(ours.end() - ours.begin(), std::ptrdiff_t(model.size()));
}

// Where a run goes: at the front, at the back, near one of them or anywhere.
size_t pickPlace(std::mt19937 &rng, size_t size)
{
    switch (rng() % 5) {
    case 0:
        return 0;
    case 1:
        return size;
    case 2:
        return std::min<size_t>(rng() % 4, size);
    case 3:
        return size - std::min<size_t>(rng() % 4, size);
    default:
        return rng() % (size + 1);
    }
}

} // namespace

TEST(EndsVector, RandomInsertsAndErasesMatchAVector)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        EndsVector<Wide> ours;
        std::vector<Wide> model;
        int next = 0;
        for (int step = 0; step < 600; ++step) {
            const bool grow = model.size() < 8 || rng() % 100 < 55;
            if (grow) {
                const size_t at = pickPlace(rng, model.size());
                const size_t n = rng() % 3 == 0 ? rng() % 40 : rng() % 3 + 1;
                const Wide value{next++, double(step)};
                const auto it = ours.insert(ours.begin() + at, n, value);
                model.insert(model.begin() + std::ptrdiff_t(at), n, value);
                ASSERT_EQ(it, ours.begin() + at);
            } else {
                const size_t at = pickPlace(rng, model.size() - 1);
                const size_t n = std::min<size_t>(rng() % 6 + 1, model.size() - at);
                const auto it = ours.erase(ours.begin() + at, ours.begin() + at + n);
                model.erase(model.begin() + std::ptrdiff_t(at), model.begin() + std::ptrdiff_t(at + n));
                ASSERT_EQ(it, ours.begin() + at);
            }
            ASSERT_NO_FATAL_FAILURE(expectSame(ours, model)) << "seed " << seed << " step " << step;
        }
        // Copies and moves keep the elements and leave the source alone or empty.
        EndsVector<Wide> copy(ours);
        expectSame(copy, model);
        EndsVector<Wide> moved(std::move(copy));
        expectSame(moved, model);
        EXPECT_TRUE(copy.empty());
        copy = moved;
        expectSame(copy, model);
    }
}

TEST(EndsVector, ZeroedAssignmentAndClear)
{
    EndsVector<const int *> slots;
    slots.assignZeroed(1000);
    ASSERT_EQ(slots.size(), 1000u);
    for (const int *p : slots)
        ASSERT_EQ(p, nullptr);
    slots.clear();
    EXPECT_TRUE(slots.empty());
    slots.push_back(nullptr);
    EXPECT_EQ(slots.size(), 1u);
}
