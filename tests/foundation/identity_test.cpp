// The identity registries, the per-machine counter, the looked-up tables and the identity handles.
#include "foundation/identity.h"

#include <gtest/gtest.h>
#include <string>

#include "foundation/fatal_error.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"
#include "support/fatal_message.h"

namespace {

class Character : public CIdentity { };
class Division : public CRZDynamicObject {
public:
    using CRZDynamicObject::CRZDynamicObject;
};
class Realm : public CRZStaticObject { };
class Province : public CIdentity { };

class Registries : public testing::Test {
protected:
    void SetUp() override { CIdentity::TotalInit(NOID, 3); }
    void TearDown() override
    {
        CIdentity::TotalCleanup();
        gIdentityLookups = CIdentityLookups {};
    }
};

std::string MessageOf(Character& c, const CRZID& id)
{
    return support::FatalMessageOf([&] { c.Create(id); });
}

TEST_F(Registries, CounterGivesThisMachinesRange)
{
    EXPECT_EQ(CIdentity::GetRandomID(), CRZID(4715, 1));
    EXPECT_EQ(CIdentity::GetRandomID(), CRZID(4715, 2));
    EXPECT_EQ(CRZDynamicObject::GetUniqueDynamicID(), DynamicID(CRZID(4715, 3)));

    // Loading a save: entries of other machines' types change nothing.
    CIdentity::TotalInit(CRZID(4712, 40), 0);
    CIdentity::TotalInit(CRZID(4715, 17), 0);
    EXPECT_EQ(CIdentity::GetRandomID(), CRZID(4715, 18));

    CIdentity::TotalCleanup();
    EXPECT_EQ(CIdentity::_bIsInited, 0);
    EXPECT_EQ(CIdentity::CurrentID, NOID);
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(10, 1)), nullptr);
}

TEST_F(Registries, RegisterFindAndDestroy)
{
    Character c;
    EXPECT_EQ(c.GetID(), NOID);
    EXPECT_EQ(c.Create(10, 5), 1);
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(10, 5)), &c);

    Character twin;
    EXPECT_EQ(MessageOf(twin, CRZID(10, 5)), "Database Mismatch");
    EXPECT_EQ(twin.GetID(), NOID);
    EXPECT_EQ(MessageOf(c, CRZID(10, 5)), "Database Mismatch");
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(10, 5)), &c);

    c.Create(CRZID(10, 9));
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(10, 5)), nullptr);
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(10, 9)), &c);

    EXPECT_EQ(c.Destroy(), 1);
    EXPECT_EQ(c.GetID(), CRZID(65534, 9));
    EXPECT_EQ(c.Destroy(), 0);
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(10, 9)), nullptr);

    Character fresh;
    fresh.Create();
    EXPECT_EQ(fresh.GetID(), CRZID(4715, 1));
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(4715, 1)), &fresh);
    // Truncated to 16 bits: 70000 is type 4464, which is never registered; the old entry goes.
    fresh.Create(70000, 2);
    EXPECT_EQ(fresh.GetID(), CRZID(4464, 2));
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(4715, 1)), nullptr);
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(4464, 2)), nullptr);
}

TEST_F(Registries, UnregisteredTypesAreOnlyStored)
{
    Character c;
    c.Create(CRZID(3, 7));
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(3, 7)), nullptr);
    EXPECT_EQ(c.Destroy(), 1);
    EXPECT_EQ(c.GetID().type, 65534);
}

TEST_F(Registries, DestroyedObjectLeavesTheRegistry)
{
    {
        Character gone;
        gone.Create(10, 1);
    }
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(10, 1)), nullptr);
    Character again;
    again.Create(10, 1);
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(10, 1)), &again);
}

TEST(Identity, RegisteringWithoutRegistriesStops)
{
    Character c;
    EXPECT_THROW(c.Create(10, 1), int);
    EXPECT_EQ(c.GetID(), NOID);
    EXPECT_THROW(Division(DynamicID(CRZID(4712, 1))), int);
    Division d;
    EXPECT_EQ(d.Destroy(), 0);
}

TEST_F(Registries, DynamicObjectsByIdentity)
{
    Division a(DynamicID(CRZID(4715, 4)));
    EXPECT_EQ(CRZDynamicObject::GetObjectFromID(DynamicID(CRZID(4715, 4))), &a);
    // A drawn identity comes after every one of this machine's already registered, as after a load.
    Division b;
    b.Create();
    EXPECT_EQ(b.GetID(), DynamicID(CRZID(4715, 5)));
    b.Create(DynamicID(CRZID(4715, 9)));
    EXPECT_EQ(CRZDynamicObject::GetObjectFromID(DynamicID(CRZID(4715, 5))), nullptr);

    // A shared identity is allowed here; each object still takes only its own entry away.
    {
        Division twin(DynamicID(CRZID(4715, 4)));
        EXPECT_EQ(CRZDynamicObject::GetObjectFromID(DynamicID(CRZID(4715, 4))), &twin);
        EXPECT_EQ(a.Destroy(), 1);
        EXPECT_EQ(a.GetID(), DynamicID());
        EXPECT_EQ(CRZDynamicObject::GetObjectFromID(DynamicID(CRZID(4715, 4))), &twin);
    }
    EXPECT_EQ(CRZDynamicObject::GetObjectFromID(DynamicID(CRZID(4715, 4))), nullptr);
    EXPECT_EQ(a.Destroy(), 0);
}

TEST_F(Registries, HighestNumbersPerMachineType)
{
    CRZID table[4711];
    CIdentity::GetMaxID(table, 4711);
    for (const CRZID& row : { table[0], table[3], table[4710] })
        EXPECT_EQ(row.number, 0u);
    EXPECT_EQ(table[4710].type, 4712 + 4710);

    Character c1, c2, other;
    c1.Create(CRZID(4715, 8));
    c2.Create(CRZID(4715, 3));
    other.Create(CRZID(4712, 5));
    Character scenario;
    scenario.Create(CRZID(10, 900));
    Division d(DynamicID(CRZID(4715, 12)));
    CIdentity::GetMaxID(table, 4711);
    EXPECT_EQ(table[0], CRZID(4712, 5));
    EXPECT_EQ(table[3], CRZID(4715, 12));
    EXPECT_EQ(table[1], CRZID(4713, 0));
}

TEST_F(Registries, CountryAndProvinceLookupsAreBoundsChecked)
{
    static Realm realms[kCountryTableSlots];
    static Province provinces[kProvinceArraySize];
    static Realm server;
    // Before the tables exist every lookup answers null.
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(CRZID(3, 5))), nullptr);
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(4, 5)), nullptr);
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(BASIC_SERVER), nullptr);

    gIdentityLookups.GetCountry = [](uint32_t i) -> CRZStaticObject* { return &realms[i]; };
    gIdentityLookups.GetProvince = [](uint32_t i) -> CIdentity* { return &provinces[i]; };
    gIdentityLookups.GetGameServer = []() -> CRZStaticObject* { return &server; };
    struct Case {
        uint32_t number;
        bool found;
    } cases[] = { { 0, true }, { 1003, true }, { 1004, false }, { 1422, false }, { 2000, false },
        { 0xFFFFFFFF, false } };
    for (const Case& c : cases)
        EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(4, c.number)) != nullptr, c.found) << c.number;
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(CRZID(3, 1422))), &realms[1422]);
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(CRZID(3, 1423))), nullptr);
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(CRZID(3, 5000))), nullptr);
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(ALLCOUNTRIES)), nullptr);
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(DIPLOMACY_SERVER)), &server);
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(CRZID(10, 1))), nullptr);
    // Realms are never found through the identity registry.
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(3, 5)), nullptr);

    Realm realm;
    realm.Create(StaticID(CRZID(3, 7)));
    EXPECT_EQ(realm.GetID(), CRZID(3, 7));
    EXPECT_EQ(realm.Destroy(), 1);
    EXPECT_EQ(realm.GetID(), NOID);
}

TEST_F(Registries, HandlesResolveWhileTheTargetLives)
{
    Character unregistered;
    EXPECT_EQ(CRef<Character>(nullptr), CRef<Character>(&unregistered));
    EXPECT_EQ(CRef<Character>().GetID(), NOID);

    Character c;
    c.Create(10, 42);
    CRef<Character> ref(&c);
    EXPECT_EQ(ref.Get(), &c);
    c.Destroy();
    EXPECT_EQ(ref.GetID(), CRZID(10, 42));
    EXPECT_EQ(ref.Get(), nullptr);

    // A handle of the wrong kind resolves to nothing rather than to a mistyped pointer.
    Province p;
    p.Create(10, 43);
    EXPECT_EQ(CRef<Character>(CRZID(10, 43)).Get(), nullptr);

    Division d(DynamicID(CRZID(4715, 7)));
    CDRef<Division> dref(&d);
    EXPECT_EQ(dref.Get(), &d);
    EXPECT_EQ(CDRef<Division>(nullptr).GetID(), DynamicID());
    d.Destroy();
    EXPECT_EQ(dref.Get(), nullptr);

    CList<CRef<Character>> list;
    list.Append(CRef<Character>(CRZID(10, 1)));
    EXPECT_TRUE(list.Contains(CRef<Character>(CRZID(10, 1))));
    EXPECT_FALSE(list.Contains(CRef<Character>(CRZID(11, 1))));
}

TEST(CRZTimeID, EqualNeedsDateAndIdentity)
{
    CRZTimeID a(CDate(1, 2, 1100), CRZID(10, 5));
    EXPECT_EQ(a, CRZTimeID(CDate(1, 2, 1100), CRZID(10, 5)));
    EXPECT_FALSE(a == CRZTimeID(CDate(2, 2, 1100), CRZID(10, 5)));
    EXPECT_FALSE(a == CRZTimeID(CDate(1, 2, 1100), CRZID(10, 6)));
    CList<CRZTimeID> list;
    list.Append(a);
    EXPECT_TRUE(list.Contains(CRZTimeID(a)));
}

} // namespace
