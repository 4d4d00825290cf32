// CTernary: case-insensitive lookup, batch loading with its fixed insertion order and tie rule, key
// order of ForEach, ownership on RemoveAll/DeleteAll, and a model-based run against an ordered map.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "foundation/ternary.h"

namespace {

std::vector<intptr_t> gVisited;
void Visit(intptr_t value)
{
    gVisited.push_back(value);
}

std::vector<intptr_t> Walk(CTernary<intptr_t>& tree)
{
    gVisited.clear();
    tree.ForEach(&Visit);
    return gVisited;
}

// Counts deletions so the test sees exactly which values DeleteAll frees.
struct Counted {
    static inline int deleted = 0;
    ~Counted() { ++deleted; }
};

} // namespace

TEST(CTernary, BatchOrderIsMediansFirst)
{
    const std::map<int32_t, std::vector<int32_t>> table = {
        { 0, {} },
        { 1, { 0 } },
        { 2, { 1, 0 } },
        { 4, { 2, 1, 3, 0 } },
        { 5, { 2, 1, 3, 0, 4 } },
        { 7, { 3, 1, 5, 0, 2, 4, 6 } },
        { 8, { 4, 2, 6, 1, 3, 5, 7, 0 } },
        { 10, { 5, 2, 8, 1, 3, 7, 9, 0, 4, 6 } },
    };
    for (const auto& [n, order] : table)
        EXPECT_EQ(order, CTernaryBatchOrder(n)) << "n = " << n;
    // Every index exactly once, for any size.
    for (int32_t n : { 3, 6, 9, 31, 32, 33, 1000, 50021 }) {
        std::vector<int32_t> order = CTernaryBatchOrder(n);
        std::sort(order.begin(), order.end());
        ASSERT_EQ(static_cast<size_t>(n), order.size());
        for (int32_t i = 0; i < n; ++i)
            ASSERT_EQ(i, order[i]) << "n = " << n;
    }
}

TEST(CTernary, LookupFoldsAsciiCaseOnly)
{
    CTernary<intptr_t> tree;
    tree.Add("Province", 1);
    tree.Add("provinces", 2);
    tree.Add("\xC9tat", 3);
    EXPECT_EQ(1, tree.Get("PROVINCE"));
    EXPECT_EQ(1, tree.Get("province"));
    EXPECT_EQ(2, tree.Get("ProvinceS"));
    EXPECT_EQ(3, tree.Get("\xC9TAT"));
    EXPECT_EQ(0, tree.Get("\xE9tat")) << "bytes from 0x80 on are not folded";
    EXPECT_EQ(0, tree.Get("Prov")) << "a proper prefix that was never added";
    EXPECT_EQ(0, tree.Get("Provincesx"));
    EXPECT_EQ(0, tree.Get(""));

    tree.Add("PROVINCE", 7);
    EXPECT_EQ(7, tree.Get("province")) << "outside a batch a later Add replaces";

    tree.Add("", 9);
    EXPECT_EQ((std::vector<intptr_t> { 3, 7, 2 }), Walk(tree)) << "an empty key is ignored";
}

TEST(CTernary, BatchIsInvisibleUntilUnlockAndKeepsTheFirstOfEqualKeys)
{
    CTernary<intptr_t> tree;
    tree.Unlock(); // without Lock: only clears the flag
    EXPECT_TRUE(Walk(tree).empty());

    tree.Lock();
    tree.Lock(); // a flag, not a counter
    tree.Add("Key", 1);
    tree.Add("KEY", 2);
    EXPECT_EQ(0, tree.Get("key"));
    EXPECT_EQ(2, tree.GetPendingCount());
    tree.Unlock();
    EXPECT_FALSE(tree.IsLocked());
    EXPECT_EQ(0, tree.GetPendingCount());
    EXPECT_EQ(1, tree.Get("key")) << "of two equal keys in one batch the one added first stays";

    // With three equal keys the order is 1, 0, 2: the one added last stays.
    CTernary<intptr_t> three;
    three.Lock();
    three.Add("a", 1);
    three.Add("A", 2);
    three.Add("a", 3);
    three.Unlock();
    EXPECT_EQ(3, three.Get("a"));
}

TEST(CTernary, ForEachVisitsHighBytesFirstThenFoldedOrder)
{
    CTernary<intptr_t> tree;
    tree.Lock();
    const char* keys[] = { "b", "Ab", "a", "\x80z", "_x", "B1", "abc", "\xFF" };
    intptr_t value = 1;
    for (const char* key : keys)
        tree.Add(key, value++);
    tree.Unlock();
    // 0x80 and 0xFF are negative signed bytes; '1' < '_' < 'a' as bytes.
    EXPECT_EQ((std::vector<intptr_t> { 4, 8, 5, 3, 2, 7, 1, 6 }), Walk(tree));
}

TEST(CTernary, RemoveAllKeepsValuesAndDeleteAllFreesThemWithTheBatch)
{
    Counted::deleted = 0;
    Counted kept;
    {
        CTernary<Counted*> tree;
        tree.Add("kept", &kept);
        tree.Lock();
        tree.Add("pending", &kept);
        tree.RemoveAll(); // drops the batch records and their keys; LeakSanitizer checks them
        EXPECT_TRUE(tree.IsLocked());
        EXPECT_EQ(0, tree.GetPendingCount());
        EXPECT_EQ(nullptr, tree.Get("kept"));
        tree.Unlock();
        EXPECT_EQ(nullptr, tree.Get("pending"));
        tree.Add("again", &kept);
    } // the destructor leaves the values alone
    EXPECT_EQ(0, Counted::deleted);

    CTernary<Counted*> owner;
    owner.Add("one", new Counted);
    owner.Add("onefold", new Counted);
    owner.Add("two", nullptr);
    owner.Lock();
    owner.Add("three", new Counted);
    owner.DeleteAll();
    EXPECT_EQ(3, Counted::deleted);
    EXPECT_EQ(nullptr, owner.Get("one"));
    EXPECT_EQ(0, owner.GetPendingCount());

    CTernary<char*> texts; // texts are arrays
    texts.Add("t", new char[4] { 'a', 'b', 'c', 0 });
    texts.DeleteAll();
}

TEST(CTernary, VeryLongKeysDoNotExhaustTheStack)
{
    std::string key(200000, 'q');
    CTernary<intptr_t> tree;
    tree.Add(key.c_str(), 5);
    key.back() = 'Q';
    EXPECT_EQ(5, tree.Get(key.c_str()));
    EXPECT_EQ((std::vector<intptr_t> { 5 }), Walk(tree));
    tree.DeleteAll();
}

// The reference: an ordered map keyed by the folded key, with the same signed byte order.
struct FoldedLess {
    bool operator()(const std::string& a, const std::string& b) const
    {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return static_cast<signed char>(x) < static_cast<signed char>(y); });
    }
};
std::string Folded(const std::string& key)
{
    std::string out = key;
    for (char& c : out)
        c = static_cast<char>(CTernaryFold(c));
    return out;
}

TEST(CTernary, MatchesAnOrderedMapWithAsciiFolding)
{
    const char alphabet[] = { 'a', 'A', 'b', 'B', 'z', 'Z', '_', '1', '\xE9', '\xC9', '\x80' };
    std::mt19937 random(20240611);
    auto randomKey = [&] {
        std::string key(1 + random() % 4, ' ');
        for (char& c : key)
            c = alphabet[random() % sizeof alphabet];
        return key;
    };

    CTernary<intptr_t> tree;
    std::map<std::string, intptr_t, FoldedLess> model;
    std::vector<std::pair<std::string, intptr_t>> batch; // in the order of Add
    bool locked = false;
    intptr_t next = 1;
    for (int step = 0; step < 20000; ++step) {
        const int op = random() % 100;
        if (op < 40) {
            std::string key = randomKey();
            tree.Add(key.c_str(), next);
            if (locked)
                batch.emplace_back(key, next);
            else
                model[Folded(key)] = next;
            ++next;
        } else if (op < 80) {
            std::string key = randomKey();
            auto found = model.find(Folded(key));
            ASSERT_EQ(found == model.end() ? 0 : found->second, tree.Get(key.c_str())) << "step " << step;
        } else if (op < 88) {
            tree.Lock();
            locked = true;
        } else if (op < 97) {
            tree.Unlock();
            std::stable_sort(batch.begin(), batch.end(),
                [](const auto& a, const auto& b) { return stricmp(a.first.c_str(), b.first.c_str()) < 0; });
            for (int32_t index : CTernaryBatchOrder(static_cast<int32_t>(batch.size())))
                model[Folded(batch[index].first)] = batch[index].second;
            batch.clear();
            locked = false;
        } else if (op < 98) {
            tree.RemoveAll();
            model.clear();
            batch.clear();
        } else {
            std::vector<intptr_t> want;
            for (const auto& [key, value] : model)
                want.push_back(value);
            ASSERT_EQ(want, Walk(tree)) << "step " << step;
        }
    }
}
