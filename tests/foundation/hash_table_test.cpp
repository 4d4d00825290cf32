// CHashTable: finding by key, equal keys, removal by key and by object, and clearing without deleting.
#include "foundation/hash_table.h"

#include <gtest/gtest.h>

#include "foundation/rz_id.h"

namespace {

struct Thing {
    CRZID id;
    static int alive;
    explicit Thing(CRZID inId)
        : id(inId)
    {
        ++alive;
    }
    virtual ~Thing() { --alive; }
    const CRZID& GetHashKey() const { return id; }
};
int Thing::alive = 0;

TEST(CHashTable, FindsByKeyAndTellsTypesApart)
{
    CHashTable<CRZID, Thing> table(7);
    EXPECT_EQ(table.Find(CRZID(10, 5)), nullptr);
    // (0, 7) and (0, 14) share bucket 0 of 7; (10, 5) and (11, 5) differ only in type.
    Thing a(CRZID(0, 7)), b(CRZID(0, 14)), c(CRZID(10, 5)), d(CRZID(11, 5));
    for (Thing* t : { &a, &b, &c, &d })
        table.Add(t);
    EXPECT_EQ(table.GetCount(), 4);
    EXPECT_EQ(table.Find(CRZID(0, 7)), &a);
    EXPECT_EQ(table.Find(CRZID(0, 14)), &b);
    EXPECT_EQ(table.Find(CRZID(10, 5)), &c);
    EXPECT_EQ(table.Find(CRZID(11, 5)), &d);
    EXPECT_EQ(table.Find(CRZID(0, 21)), nullptr);
    EXPECT_FALSE(table.Remove(CRZID(0, 21)));
    EXPECT_EQ(table.GetCount(), 4);
}

TEST(CHashTable, EqualKeysFindAndRemoveTheLaterFirst)
{
    CHashTable<CRZID, Thing> table(8191);
    Thing first(CRZID(10, 5)), later(CRZID(10, 5));
    table.Add(&first);
    table.Add(&later);
    EXPECT_EQ(table.Find(CRZID(10, 5)), &later);
    EXPECT_TRUE(table.Remove(CRZID(10, 5)));
    EXPECT_EQ(table.Find(CRZID(10, 5)), &first);

    table.Add(&later);
    EXPECT_TRUE(table.Remove(&first));
    EXPECT_FALSE(table.Remove(&first));
    EXPECT_EQ(table.Find(CRZID(10, 5)), &later);
    EXPECT_EQ(table.GetCount(), 1);
}

TEST(CHashTable, RemoveAllKeepsObjectsDeleteAllDeletesThem)
{
    {
        CHashTable<CRZID, Thing> table(511);
        Thing kept(CRZID(10, 1));
        table.Add(&kept);
        Thing* removed = new Thing(CRZID(10, 2));
        table.Add(removed);
        table.Remove(CRZID(10, 2));
        delete removed; // removal hands the object back to its owner
        EXPECT_EQ(Thing::alive, 1);
        Thing* other = new Thing(CRZID(10, 5));
        table.Add(other);
        table.RemoveAll();
        EXPECT_EQ(table.GetCount(), 0);
        EXPECT_EQ(table.Find(CRZID(10, 1)), nullptr);
        EXPECT_EQ(Thing::alive, 2);
        EXPECT_EQ(other->id, CRZID(10, 5));
        delete other;
        table.Add(new Thing(CRZID(10, 3)));
        table.Add(new Thing(CRZID(10, 4)));
        table.DeleteAll();
        EXPECT_EQ(Thing::alive, 1);
        EXPECT_EQ(table.GetCount(), 0);
    }
    EXPECT_EQ(Thing::alive, 0);
}

} // namespace
