// CList: ordering, searching, locked removal, copying, and a model-based run against std::list.
#include "foundation/linked_list.h"

#include <gtest/gtest.h>
#include <list>
#include <random>
#include <vector>

namespace {

std::vector<int> Walk(const CList<int>& list)
{
    std::vector<int> out;
    for (auto pos = list.GetHead(); !pos.IsEnd();)
        out.push_back(*pos++);
    return out;
}

std::vector<int> WalkBack(const CList<int>& list)
{
    std::vector<int> out;
    for (auto pos = list.GetTail(); !pos.IsEnd();)
        out.push_back(*pos--);
    return out;
}

TEST(CList, EmptyListAnswersNothing)
{
    CList<int> list;
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.Find(1).IsEnd());
    EXPECT_FALSE(list.Remove(1));
    EXPECT_FALSE(list.RemoveHead());
    EXPECT_FALSE(list.RemoveTail());
    int calls = 0;
    list.ForEach([&](int) { ++calls; });
    EXPECT_EQ(calls, 0);
    list.InsertBefore(5, list.GetHead());
    EXPECT_EQ(Walk(list), std::vector<int>({ 5 }));
}

TEST(CList, AddingAtBothEndsAndBeforeAPosition)
{
    CList<int> list;
    list.Append(2);
    list.Insert(1);
    list.Append(4);
    list.InsertBefore(3, 4);
    list.InsertBefore(0, list.GetHead());
    list.InsertBefore(5, CList<int>::Iterator()); // the end position appends
    EXPECT_EQ(Walk(list), std::vector<int>({ 0, 1, 2, 3, 4, 5 }));
    EXPECT_EQ(WalkBack(list), std::vector<int>({ 5, 4, 3, 2, 1, 0 }));
    // A `before` value that is not in the list appends too.
    list.InsertBefore(6, 99);
    EXPECT_EQ(*list.GetTail(), 6);
    EXPECT_EQ(list.GetSize(), 7);
}

TEST(CList, DuplicatesAndRemovalByValue)
{
    CList<int> list;
    for (int v : { 1, 2, 1, 3 })
        list.Append(v);
    EXPECT_TRUE(list.Remove(1));
    EXPECT_EQ(Walk(list), std::vector<int>({ 2, 1, 3 }));
    EXPECT_FALSE(list.Remove(7));
    EXPECT_EQ(list.GetSize(), 3);
    auto second = list.FindNext(list.GetHead(), 1);
    EXPECT_EQ(*second, 1);
    auto after = second;
    after++;
    EXPECT_TRUE(list.FindNext(after, 1).IsEnd());
    EXPECT_TRUE(list.RemoveHead());
    EXPECT_TRUE(list.RemoveTail());
    EXPECT_EQ(Walk(list), std::vector<int>({ 1 }));
}

TEST(CList, PointerElementsCompareByAddress)
{
    char a[] = "same";
    char b[] = "same";
    CList<char*> list;
    list.Append(a);
    EXPECT_TRUE(list.Contains(a));
    EXPECT_FALSE(list.Contains(b));
    EXPECT_FALSE(list.Remove(b));
}

TEST(CList, LockedRemovalMarksUntilUnlock)
{
    CList<int> list;
    for (int v : { 1, 2, 3 })
        list.Append(v);
    list.Lock();
    EXPECT_TRUE(list.Remove(2));
    EXPECT_TRUE(list.Remove(list.Find(2))); // the same node again: still removed once
    EXPECT_EQ(list.GetSize(), 3);
    EXPECT_TRUE(list.Contains(2));
    EXPECT_EQ(Walk(list), std::vector<int>({ 1, 2, 3 }));
    EXPECT_TRUE(list.RemoveHead());
    EXPECT_TRUE(list.RemoveHead()); // marks the same head again
    list.Unlock();
    EXPECT_EQ(Walk(list), std::vector<int>({ 3 }));
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_FALSE(list.Contains(2));
}

TEST(CList, WalkThatRemovesAndAppendsWhileLocked)
{
    CList<int> list;
    for (int v : { 1, 2, 3, 4 })
        list.Append(v);
    std::vector<int> visited;
    list.Lock();
    for (auto pos = list.GetHead(); !pos.IsEnd();) {
        auto here = pos++;
        int v = *here;
        visited.push_back(v);
        if (v % 2 == 0)
            list.Remove(here);
        if (v == 2)
            list.Append(11);
    }
    list.Unlock();
    EXPECT_EQ(visited, std::vector<int>({ 1, 2, 3, 4, 11 }));
    EXPECT_EQ(Walk(list), std::vector<int>({ 1, 3, 11 }));

    list.Lock();
    visited.clear();
    list.ForEach([&](int v) {
        visited.push_back(v);
        if (v == 1)
            list.Append(13);
        list.Remove(v);
    });
    EXPECT_EQ(visited, std::vector<int>({ 1, 3, 11, 13 }));
    EXPECT_EQ(list.GetSize(), 4);
    list.Unlock();
    EXPECT_TRUE(list.IsEmpty());

    // ForEach may free the node it is given when the list is unlocked.
    for (int v : { 1, 2 })
        list.Append(v);
    list.ForEach([&](int v) { list.Remove(v); });
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CList, RemoveAllWhileLockedFreesEverythingAndKeepsTheLock)
{
    CList<int> list;
    list.Append(1);
    list.Append(2);
    list.Lock();
    list.Remove(1);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.IsLocked());
    list.Append(3);
    list.Remove(3);
    EXPECT_EQ(list.GetSize(), 1);
    list.Unlock();
    EXPECT_TRUE(list.IsEmpty());
}

// A list emptied for refilling reuses its own nodes: the refill reads back right in both directions,
// a refill longer than before takes new nodes, and the kept nodes go with the list (leak checker).
TEST(CList, EmptiedForRefillReusesItsNodes)
{
    CList<int> list;
    for (int i = 0; i < 3; ++i)
        list.Append(i);
    const auto* first = list.GetHead().GetNode();
    list.RemoveAllKeepingNodes();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.GetHead().IsEnd());
    list.Append(7);
    EXPECT_EQ(list.GetHead().GetNode(), first);
    for (int i = 8; i < 12; ++i)
        list.Append(i);
    list.InsertBefore(6, list.GetHead());
    EXPECT_EQ(Walk(list), (std::vector<int> { 6, 7, 8, 9, 10, 11 }));
    EXPECT_EQ(WalkBack(list), (std::vector<int> { 11, 10, 9, 8, 7, 6 }));
    list.RemoveAllKeepingNodes();
    list.RemoveAllKeepingNodes();
    list.Append(1);
    EXPECT_EQ(list.GetSize(), 1);
}

TEST(CList, CopiesTakeMarkedNodesAsOrdinaryOnes)
{
    CList<int> list;
    for (int v : { 1, 2, 3 })
        list.Append(v);
    list.Lock();
    list.Remove(2);
    CList<int> copy(list);
    CList<int> assigned;
    assigned.Append(9);
    assigned = list;
    CList<int> merged;
    merged.Append(0);
    merged.Merge(list);
    list.Unlock();
    for (CList<int>* other : { &copy, &assigned }) {
        EXPECT_FALSE(other->IsLocked());
        EXPECT_TRUE(other->Remove(2)); // removes at once: the copy is unlocked
        EXPECT_EQ(Walk(*other), std::vector<int>({ 1, 3 }));
    }
    EXPECT_EQ(Walk(merged), std::vector<int>({ 0, 1, 2, 3 }));
    EXPECT_EQ(Walk(list), std::vector<int>({ 1, 3 }));

    CList<int>& self = assigned;
    assigned = self;
    EXPECT_EQ(Walk(assigned), std::vector<int>({ 1, 3 }));
}

TEST(CList, ReferenceHoldsACopyOfTheValue)
{
    CList<int> list;
    list.Append(7);
    CList<int>::Reference ref(list.GetHead());
    list.RemoveAll();
    ASSERT_FALSE(ref.IsEmpty());
    EXPECT_EQ(*ref, 7);
    EXPECT_TRUE(CList<int>::Reference(list.GetHead()).IsEmpty());
}

struct Counted {
    static int alive;
    Counted() { ++alive; }
    ~Counted() { --alive; }
};
int Counted::alive = 0;

TEST(CList, DeleteAllDeletesElementsAndSkipsNull)
{
    CList<Counted*> list;
    list.Append(new Counted);
    list.Append(nullptr);
    list.Append(new Counted);
    list.Lock();
    list.RemoveHead();
    DeleteAll(list);
    EXPECT_EQ(Counted::alive, 0);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(list.GetHead().IsEnd());
    list.Unlock();

    CList<char*> texts;
    texts.Append(new char[4]);
    texts.Append(nullptr);
    DeleteAllArrayed(texts);
    EXPECT_TRUE(texts.IsEmpty());
}

struct Province {
    int number;
    bool operator==(const Province& other) const { return number == other.number; }
};

TEST(CList, ReferenceElementsHoldTheObject)
{
    Province a { 4 }, b { 5 }, alsoFour { 4 };
    CList<Province&> list;
    list.Append(a);
    list.Append(b);
    EXPECT_EQ(&(*list.GetHead()), &a);
    EXPECT_TRUE(list.Contains(alsoFour));
    EXPECT_TRUE(list.Remove(alsoFour));
    EXPECT_EQ(&(*list.GetHead()), &b);
}

// Random operations on a CList and on a reference model that marks removals while locked.
TEST(CList, BehavesLikeAReferenceModel)
{
    struct Entry {
        int value;
        bool marked;
    };
    std::mt19937 rng(20240601);
    for (int round = 0; round < 50; ++round) {
        CList<int> list;
        std::list<Entry> model;
        bool locked = false;
        auto modelFind = [&](int v) {
            for (auto it = model.begin(); it != model.end(); ++it)
                if (it->value == v)
                    return it;
            return model.end();
        };
        auto modelRemove = [&](std::list<Entry>::iterator it) {
            if (it == model.end())
                return false;
            if (locked)
                it->marked = true;
            else
                model.erase(it);
            return true;
        };
        for (int step = 0; step < 300; ++step) {
            int v = static_cast<int>(rng() % 12);
            switch (rng() % 10) {
            case 0:
            case 1:
                list.Append(v);
                model.push_back({ v, false });
                break;
            case 2:
                list.Insert(v);
                model.push_front({ v, false });
                break;
            case 3: {
                int before = static_cast<int>(rng() % 12);
                list.InsertBefore(v, before);
                model.insert(modelFind(before), { v, false });
                break;
            }
            case 4:
                ASSERT_EQ(list.Remove(v), modelRemove(modelFind(v)));
                break;
            case 5:
                ASSERT_EQ(list.RemoveHead(), modelRemove(model.empty() ? model.end() : model.begin()));
                break;
            case 6:
                ASSERT_EQ(
                    list.RemoveTail(), modelRemove(model.empty() ? model.end() : std::prev(model.end())));
                break;
            case 7:
                list.Lock();
                locked = true;
                break;
            case 8:
                list.Unlock();
                locked = false;
                model.remove_if([](const Entry& e) { return e.marked; });
                break;
            case 9:
                if (rng() % 8 == 0) {
                    list.RemoveAll();
                    model.clear();
                } else if (rng() % 8 == 0) {
                    list.RemoveAllKeepingNodes();
                    model.clear();
                }
                break;
            }
            ASSERT_EQ(list.GetSize(), static_cast<int>(model.size()));
            ASSERT_EQ(list.Contains(v), modelFind(v) != model.end());
            std::vector<int> expected;
            for (const Entry& e : model)
                expected.push_back(e.value);
            ASSERT_EQ(Walk(list), expected) << "round " << round << " step " << step;
            std::vector<int> backwards(expected.rbegin(), expected.rend());
            ASSERT_EQ(WalkBack(list), backwards);
        }
    }
}

} // namespace
