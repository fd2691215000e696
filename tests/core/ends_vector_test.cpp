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

TEST(EndsVector, InsertsAnElementOfItsOwnWhileItMoves)
{
    EndsVector<int> v(5, 0);
    for (int i = 0; i < 5; ++i)
        v[size_t(i)] = i;
    // The first element is copied before anything moves, even when the block grows.
    v.insert(v.begin(), 100, v[0]);
    v.insert(v.end(), 3, v[v.size() - 1]);
    ASSERT_EQ(v.size(), 108u);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[100], 0);
    EXPECT_EQ(v[104], 4);
    EXPECT_EQ(v[107], 4);
}

TEST(EndsVector, WorkAtEitherEndStaysInItsRoom)
{
    EndsVector<int> v(100000, 7);
    // Inserting and erasing at the front or the back, over and over, neither moves the other
    // elements each time nor keeps growing the block.
    size_t capacityAfterFirst = 0;
    for (int i = 0; i < 5000; ++i) {
        const bool front = i % 2 == 0;
        v.insert(front ? v.begin() : v.end(), 3, i);
        if (i == 1)
            capacityAfterFirst = v.size() + v.frontRoom() + v.backRoom();
        const int *firstBefore = &v[3];
        v.erase(front ? v.begin() : v.end() - 3, front ? v.begin() + 3 : v.end());
        if (!front)
            EXPECT_EQ(firstBefore, &v[3]);
    }
    EXPECT_EQ(v.size(), 100000u);
    EXPECT_EQ(v.size() + v.frontRoom() + v.backRoom(), capacityAfterFirst);
    EXPECT_EQ(v[0], 7);
    EXPECT_EQ(v[99999], 7);
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
