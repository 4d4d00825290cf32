// CText: case-insensitive insertion and lookup, the duplicate-key error, and shape following insertion order.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "foundation/fatal_error.h"
#include "text/text_tree.h"

TEST(TextTree, FindsKeysIgnoringCase)
{
    CText tree;
    EXPECT_EQ(tree.GetID("anything"), -1);
    EXPECT_EQ(tree.GetDepth(), 0);
    tree.Insert("Martial", "Martial", 1);
    tree.Insert("diplomacy", "Diplomacy", 2);
    tree.Insert("STEWARDSHIP", "x", 3);
    tree.Insert("a_b", "y", 4);
    tree.Insert("\xE9t\xE9", "z", 5);
    struct Case {
        const char* key;
        int id;
    } cases[] = {
        { "martial", 1 },
        { "MARTIAL", 1 },
        { "Diplomacy", 2 },
        { "stewardship", 3 },
        { "A_B", 4 },
        { "\xE9T\xE9", 5 },
        { "\xC9t\xC9", -1 }, // only ASCII letters fold
        { "martia", -1 },
        { "martials", -1 },
        { "", -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(tree.GetID(c.key), c.id) << c.key;
}

// Lookups order by the first eight bytes before reading keys: keys that share those bytes, end inside
// them, or hold bytes from 0x80 must still land where a full comparison puts them.
TEST(TextTree, KeysSharingTheirFirstBytesAreAllFound)
{
    const char* keys[] = { "province", "province_revoltrisk", "provinceeffects", "Province_A", "prov",
        "p\x80", "p", "p\x80\x80", "pr\xFFx", "provinces", "provincf", "\x80", "a", "abcdefgh", "abcdefghi",
        "abcdefgg", "abcdefg" };
    // Inserted in two orders, so that each key meets the others on both sides.
    for (bool reversed : { false, true }) {
        CText tree;
        const int n = static_cast<int>(std::size(keys));
        for (int i = 0; i < n; ++i) {
            const int k = reversed ? n - 1 - i : i;
            tree.Insert(keys[k], keys[k], k);
        }
        for (int k = 0; k < n; ++k)
            EXPECT_EQ(tree.GetID(keys[k]), k) << keys[k];
        for (const char* missing : { "provinc", "province_", "abcdefgha", "pr", "p\x81", "\x80\x80", "b" })
            EXPECT_EQ(tree.GetID(missing), -1) << missing;
    }
}

TEST(TextTree, DuplicateKeyIsFatal)
{
    CText tree;
    tree.Insert("Country", "country", 93);
    try {
        tree.Insert("COUNTRY", "other", 94);
        FAIL();
    } catch (int code) {
        EXPECT_EQ(code, -1);
        EXPECT_STREQ(GetAssertMessage(), " Duplicate string in text database COUNTRY");
    }
    EXPECT_EQ(tree.GetID("country"), 93);
}

TEST(TextTree, ShapeFollowsInsertionOrder)
{
    // Sorted insertion degenerates into a list; middle-first insertion stays shallow. Both tear down
    // without recursing.
    CText chain;
    for (int i = 0; i < 2000; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "k%05d", i);
        chain.Insert(key, key, i);
    }
    EXPECT_EQ(chain.GetDepth(), 2000);
    EXPECT_EQ(chain.GetID("K01999"), 1999);

    CText balanced;
    for (const char* key : { "d", "b", "f", "a", "c", "e", "g" })
        balanced.Insert(key, key, key[0]);
    EXPECT_EQ(balanced.GetDepth(), 3);
    EXPECT_EQ(balanced.GetID("G"), 'g');
}
