#include "base/ptr_list.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct Counted {
    explicit Counted(int* destroyed) : destroyed(destroyed) {}
    ~Counted() { ++*destroyed; }
    int* destroyed;
};

TEST(PtrList, GrowsByDoublingRemovesTheFirstMatchOnlyAndDeleteAllDestroysTheRest) {
    int destroyed = 0;
    PtrList<Counted> list(1);
    Counted* c[4];
    const int expectedCapacity[4] = {1, 2, 4, 4};
    for (int i = 0; i < 4; ++i) {
        c[i] = new Counted(&destroyed);
        EXPECT_EQ(list.Add(c[i]), c[i]);
        EXPECT_EQ(list.Capacity(), expectedCapacity[i]);
    }
    list.Add(c[1]);
    list.Remove(nullptr);  // absent: nothing
    list.Remove(c[1]);     // neither destroyed nor the later copy removed
    ASSERT_EQ(list.Count(), 4);
    const Counted* order[4] = {c[0], c[2], c[3], c[1]};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.Get(i), order[i]);
    list.Remove(c[1]);
    EXPECT_EQ(destroyed, 0);
    list.DeleteAll();
    EXPECT_EQ(std::make_tuple(destroyed, list.Count(), list.Capacity()), std::make_tuple(3, 0, 8));  // capacity kept
    delete c[1];
}

}  // namespace
