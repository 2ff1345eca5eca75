#include "base/ptr_list.h"

#include <gtest/gtest.h>

namespace {

struct Counted {
    explicit Counted(int* destroyed) : destroyed(destroyed) {}
    ~Counted() { ++*destroyed; }
    int* destroyed;
};

TEST(PtrList, GrowsByDoublingKeepsOrderAndRemovesTheFirstMatchOnly) {
    PtrList<int> list(1);
    int v[5] = {0, 1, 2, 3, 4};
    const int expectedCapacity[5] = {1, 2, 4, 4, 8};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.Add(&v[i]), &v[i]);
        EXPECT_EQ(list.Capacity(), expectedCapacity[i]);
    }
    list.Add(&v[1]);
    int absent = 9;
    list.Remove(&absent);
    list.Remove(&v[1]);
    ASSERT_EQ(list.Count(), 5);
    const int expected[5] = {0, 2, 3, 4, 1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(list.Get(i), &v[expected[i]]);
}

TEST(PtrList, RemoveKeepsElementAndDeleteAllDestroysEverything) {
    int destroyed = 0;
    PtrList<Counted> list(1);
    auto* kept = new Counted(&destroyed);
    list.Add(kept);
    list.Add(new Counted(&destroyed));
    list.Add(new Counted(&destroyed));
    list.Remove(kept);
    EXPECT_EQ(destroyed, 0);
    const int capacity = list.Capacity();
    list.DeleteAll();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), capacity);
    delete kept;
}

}  // namespace
