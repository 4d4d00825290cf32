// CSortedList keeps Add in comparer order and is stable for equal values.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/sorted_list.h"

namespace {

struct Entry {
    int rank;
    int tag;
};

struct RankComparer {
    static bool IsLessThan(const Entry* a, const Entry* b) { return a->rank < b->rank; }
};

std::vector<int> Tags(CSortedList<Entry*, RankComparer>& list)
{
    std::vector<int> tags;
    for (auto pos = list.GetHead(); !pos.IsEnd();)
        tags.push_back((*pos++)->tag);
    return tags;
}

} // namespace

TEST(CSortedList, AddKeepsOrderAndEqualValuesStayInAddOrder)
{
    Entry entries[] = { { 5, 1 }, { 3, 2 }, { 5, 3 }, { 9, 4 }, { 1, 5 }, { 3, 6 }, { 5, 7 } };
    CSortedList<Entry*, RankComparer> list;
    auto first = list.Add(&entries[0]);
    EXPECT_EQ(&entries[0], *first);
    EXPECT_EQ(std::vector<int> { 1 }, Tags(list));
    for (int i = 1; i < 7; ++i)
        list.Add(&entries[i]);
    // Ranks 1, 3, 3, 5, 5, 5, 9; within each rank the order of Add.
    EXPECT_EQ((std::vector<int> { 5, 2, 6, 1, 3, 7, 4 }), Tags(list));
    EXPECT_EQ(7, list.GetSize());

    // The list's own Append does not sort.
    Entry low { 0, 8 };
    list.Append(&low);
    EXPECT_EQ(8, (*list.GetTail())->tag);
}
