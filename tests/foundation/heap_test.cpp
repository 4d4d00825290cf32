// The two heaps: shape and tie rules of the node heap, priority order and growth of the array heap.
#include "foundation/heap.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

struct Item {
    int key;
    char name;
    bool operator<(const Item& other) const { return key < other.key; }
    bool operator<=(const Item& other) const { return key <= other.key; }
};

TEST(CDynamicHeap, LevelFollowsTheCount)
{
    std::vector<Item> items(8);
    CDynamicHeap<Item> heap;
    const uint32_t levels[] = { 1, 2, 2, 4, 4, 4, 4, 8 };
    for (int i = 0; i < 8; ++i) {
        items[i] = { 8 - i, 'x' };
        heap.Push(&items[i]);
        EXPECT_EQ(heap.GetLevel(), levels[i]) << "after " << i + 1;
    }
    for (int i = 7; i >= 0; --i) {
        EXPECT_EQ(heap.Pop()->key, 8 - i);
        EXPECT_EQ(heap.GetLevel(), i == 0 ? 0u : levels[i - 1]);
    }
    EXPECT_EQ(heap.Peek(), nullptr);
    EXPECT_EQ(heap.Pop(), nullptr);
    EXPECT_EQ(heap.PopTail(), nullptr);
    EXPECT_TRUE(heap.IsEmpty());
}

TEST(CDynamicHeap, EqualKeysFollowTheTieRules)
{
    Item a { 1, 'A' }, b { 1, 'B' }, c { 1, 'C' };
    CDynamicHeap<Item> heap;
    heap.Push(&a);
    heap.Push(&b);
    EXPECT_EQ(heap.Peek(), &a);
    heap.Push(&c);
    std::string order;
    while (Item* item = heap.Pop())
        order += item->name;
    EXPECT_EQ(order, "ACB");
}

TEST(CDynamicHeap, PopsInOrderAndVisitsEveryItem)
{
    std::mt19937 rng(7);
    std::vector<Item> items(200);
    CDynamicHeap<Item> heap;
    for (Item& item : items) {
        item = { static_cast<int>(rng() % 50), 'x' };
        heap.Push(&item);
    }
    int visited = 0;
    heap.ForEach([&](Item*) { ++visited; });
    EXPECT_EQ(visited, 200);
    int last = -1;
    for (int i = 0; i < 100; ++i) {
        Item* top = heap.Pop();
        ASSERT_GE(top->key, last);
        last = top->key;
    }
    EXPECT_EQ(heap.GetSize(), 100u);
    heap.Erase();
    EXPECT_TRUE(heap.IsEmpty());
    EXPECT_EQ(heap.GetLevel(), 0u);
}

TEST(CDynamicHeap, ForEachIsPreOrder)
{
    std::vector<Item> items { { 1, 'a' }, { 2, 'b' }, { 3, 'c' }, { 4, 'd' }, { 5, 'e' } };
    CDynamicHeap<Item> heap;
    for (Item& item : items)
        heap.Push(&item);
    std::string order;
    heap.ForEach([&](Item* item) { order += item->name; });
    EXPECT_EQ(order, "abdec");
}

TEST(CHeap, DefaultPriorityPopsLargestFirst)
{
    CHeap<int> heap(8);
    for (int v : { 3, 9, 1, 7, 5 })
        heap.Push(v);
    std::vector<int> out;
    while (!heap.IsEmpty())
        out.push_back(heap.Pop());
    EXPECT_EQ(out, std::vector<int>({ 9, 7, 5, 3, 1 }));
    EXPECT_EQ(heap.Pop(), 0);

    int cells[4];
    CHeap<int*> pointers(4);
    pointers.Push(&cells[1]);
    pointers.Push(&cells[3]);
    pointers.Push(&cells[0]);
    EXPECT_EQ(pointers.Pop(), &cells[3]);
    EXPECT_EQ(pointers.Pop(), &cells[1]);
    EXPECT_EQ(pointers.Pop(), &cells[0]);
    EXPECT_EQ(pointers.Pop(), nullptr);

    CHeap<int> single(1);
    single.Push(4);
    EXPECT_EQ(single.Pop(), 4);
    EXPECT_EQ(single.GetSize(), 0);
}

// The path search orders by lowest cost; pushing past the capacity grows instead of overrunning.
class LowestFirst : public CHeap<const Item*> {
public:
    using CHeap::CHeap;
    bool HasPriority(const Item* a, const Item* b) override { return a->key < b->key; }
};

TEST(CHeap, DerivedPriorityAndGrowthPastCapacity)
{
    std::mt19937 rng(11);
    std::vector<Item> items(64);
    LowestFirst heap(4);
    for (Item& item : items) {
        item = { static_cast<int>(rng() % 1000), 'x' };
        heap.Push(&item);
    }
    EXPECT_EQ(heap.GetSize(), 64);
    int last = -1;
    while (!heap.IsEmpty()) {
        const Item* top = heap.Pop();
        ASSERT_GE(top->key, last);
        last = top->key;
    }
}

} // namespace
