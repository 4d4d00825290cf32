// Character attribute tuples: access by number, arithmetic, the modifiers derived from single attributes,
// the compact text form and the names of the attributes.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>

#include "datalang/attribute_tuple.h"

namespace {

const char* Localised(const char* key)
{
    return std::strcmp(key, "MARTIAL") == 0 ? "Martial" : "UNKNOWN STRING WANTED\n";
}

} // namespace

TEST(AttributeTuple, AccessByNumberAndName)
{
    CAttributeTuple tuple(1, 2, 3, 4, 5, 6);
    for (int which = 0; which < CAttributeTuple::COUNT; ++which)
        EXPECT_EQ(tuple.Get(which), which + 1);
    tuple.Set(CAttributeTuple::HEALTH, -4);
    EXPECT_EQ(tuple.GetHealth(), -4);
    // Numbers outside 0 to 5 touch nothing.
    tuple.Set(6, 99);
    tuple.Set(-1, 99);
    EXPECT_EQ(tuple.Get(6), 0);
    EXPECT_EQ(tuple.GetFertility(), 6);

    EXPECT_EQ(CAttributeTuple::GetName(6), nullptr);
    EXPECT_EQ(CAttributeTuple::GetName(-1), nullptr);
    EXPECT_STREQ(CAttributeTuple::GetName(3), "STEWARDSHIP");
    CAttributeTuple::_pGetText = Localised;
    EXPECT_STREQ(CAttributeTuple::GetName(0), "Martial");
    CAttributeTuple::_pGetText = nullptr;
}

TEST(AttributeTuple, Arithmetic)
{
    CAttributeTuple a(1, 2, 3, 4, 5, 6);
    const CAttributeTuple b(10, -20, 30, 0, 0, -6);
    const CAttributeTuple sum = a + b;
    EXPECT_EQ(sum.GetMartial(), 11);
    EXPECT_EQ(sum.GetDiplomacy(), -18);
    EXPECT_EQ(sum.GetFertility(), 0);
    EXPECT_EQ(a.GetMartial(), 1);
    a.AddIntrigue(-5);
    a.AddMartial(INT_MAX);
    EXPECT_EQ(a.GetIntrigue(), -2);
    EXPECT_EQ(a.GetMartial(), INT_MAX);

    CAttributeTuple scaled(7, -7, 3, 0, 1, 2000000000);
    scaled *= 0.5f;
    EXPECT_EQ(scaled.GetMartial(), 3);
    EXPECT_EQ(scaled.GetDiplomacy(), -3);
    EXPECT_EQ(scaled.GetHealth(), 0);
    scaled *= 4.0f;
    EXPECT_EQ(scaled.GetFertility(), INT_MAX);
    scaled *= std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(scaled.GetMartial(), 0);

    CAttributeTuple capped(-1, 0, 3, -8, 2, -2);
    capped.CapZero();
    const int expected[] = { 0, 0, 3, 0, 2, 0 };
    for (int which = 0; which < CAttributeTuple::COUNT; ++which)
        EXPECT_EQ(capped.Get(which), expected[which]);
}

TEST(AttributeTuple, Modifiers)
{
    struct Case {
        int value;
        float exponential;
    };
    const Case cases[] = { { 0, 0.5f }, { 10, 1.0f }, { 20, 2.0f }, { 5, 0.70710678f }, { -10, 0.25f } };
    for (const Case& c : cases) {
        const CAttributeTuple tuple(c.value, c.value, 0, c.value, 0, 0);
        EXPECT_FLOAT_EQ(tuple.GetCombatBonus(), c.exponential) << c.value;
        EXPECT_FLOAT_EQ(tuple.GetPeaceScoreModifier(), c.exponential) << c.value;
        EXPECT_FLOAT_EQ(tuple.GetResponseTimeModifier(), c.exponential) << c.value;
        EXPECT_FLOAT_EQ(tuple.GetGoldIncomeModifier(), c.exponential) << c.value;
    }
    const std::pair<int, float> loyalty[]
        = { { 10, 0.0f }, { 0, -0.05f }, { 30, 0.05f }, { 410, 1.0f }, { 5000, 1.0f }, { -1990, -10.0f } };
    for (const auto& [diplomacy, modifier] : loyalty)
        EXPECT_FLOAT_EQ(CAttributeTuple(0, diplomacy, 0, 0, 0, 0).GetLoyaltyModifier(), modifier)
            << diplomacy;
}

TEST(AttributeTuple, CompactFormPutsFertilityBeforeHealth)
{
    CAttributeTuple tuple(9, 9, 9, 9, 9, 9);
    tuple.AssignFromString("5.6.7.8.1.2");
    const int expected[] = { 5, 6, 7, 8, 2, 1 };
    for (int which = 0; which < CAttributeTuple::COUNT; ++which)
        EXPECT_EQ(tuple.Get(which), expected[which]) << which;

    // Missing numbers at the end leave their values; huge ones are held to the int range.
    CAttributeTuple partial(9, 9, 9, 9, 9, 9);
    partial.AssignFromString("-3.99999999999");
    EXPECT_EQ(partial.GetMartial(), -3);
    EXPECT_EQ(partial.GetDiplomacy(), INT_MAX);
    EXPECT_EQ(partial.GetIntrigue(), 9);
    partial.AssignFromString("");
    partial.AssignFromString(nullptr);
    partial.AssignFromString("4,5");
    EXPECT_EQ(partial.GetMartial(), 4);
    EXPECT_EQ(partial.GetDiplomacy(), INT_MAX);
}
