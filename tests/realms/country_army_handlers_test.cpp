// The realm's army and mobilisation handlers on every machine: a levy raised into an army of its own,
// loyalty lost to a levy in a vassal's land, divisions moved, killed and sent home, armies disbanded; numbers
// from the network checked first; and a client fed the host's events ends where the host did.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "armies/battle_result.h"
#include "events/event_factory.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "realm_armies.h"

#include "foundation/safeguards.h"

namespace {

// A realm's handler answers the event as its router does.
int Handle(CRZCountry* realm, CRZEvent* event)
{
    const int answer = realm->Update(event);
    delete event;
    return answer;
}

CRZEvent* AddDivisionEvent(CRZCountry* realm, const CRZUnit* army, const CDivision* division,
    CRZEvtType type = _CRZEVT_ADD_DIVISION_)
{
    return new CRZAddDivisionEvent(
        type, realm->GetID(), army ? army->GetID() : DynamicID(NOID), division->GetID(), 7);
}

class CountryArmyHandlers : public RealmArmyTest {
protected:
    CRZUnit* Army(CRZCountry* realm, int province)
    {
        return realm->ConstructArmy(province, CRZDynamicObject::GetUniqueDynamicID(), CDate(), NOID, NOID);
    }
    // A province of the realm with a levy of militia and room for as many again.
    CProvince* Levied(int number, CRZCountry* owner, int men)
    {
        CProvince* province = Land(number, owner);
        province->controller = owner ? owner->index : 0;
        province->maximumLevy.Set(MILITIA, 2 * men);
        province->currentLevy.Set(MILITIA, men);
        return province;
    }
};

TEST_F(CountryArmyHandlers, AProvinceMobilisedOnTheHostBecomesAnArmyHoldingItsLevy)
{
    CRZCountry* realm = Realm(5);
    CProvince* province = Levied(40, realm, 800);
    realm->MobilizeProvince(40, MOBILIZE_OWN_HOST);
    gEventScheduler.ProcessAll();

    ASSERT_EQ(realm->armies.GetSize(), 1);
    CRZUnit* army = *realm->armies.GetHead();
    EXPECT_EQ(army->GetProvince(), 40);
    ASSERT_EQ(army->divisions.GetSize(), 1);
    CDivision* division = *army->divisions.GetHead();
    EXPECT_EQ(division->GetStrength().Get(MILITIA), 800);
    EXPECT_EQ(division->GetTotalMen(), 800);
    EXPECT_EQ(division->homeProvince, 40);
    EXPECT_EQ(division->owner, 5);
    EXPECT_EQ(division->raised, CDate(0, 0, 1100));
    EXPECT_EQ(division->army, army);
    EXPECT_EQ(province->levyRegiment, division->GetID()) << "the province's regiment is raised";
    EXPECT_EQ(province->currentLevy.GetTotal(), 0.0f) << "the levy went to the division";
    EXPECT_FALSE(realm->CanMobilizeProvince(40));
}

TEST_F(CountryArmyHandlers, ALevyInAVassalsLandCostsHisLoyaltyByHowManyOfTheLiegesOwnAreRaised)
{
    struct Case {
        const char* what;
        int raisedOwn;
        int flag;
        float change;
    };
    // The liege owns three provinces of his own.
    const Case cases[] = {
        { "fewer raised than not", 1, 0, -0.2f },
        { "as many or more raised", 2, 0, -0.1f },
        { "asked with the flag", 0, 1, 0.0f },
    };
    CRZCountry* liege = Realm(1000);
    CRZCountry* vassal = Realm(5, liege->ruler);
    ASSERT_TRUE(liege->ruler->IsRealmUnderMe(vassal->ruler));
    CProvince* own[3] = { Levied(41, liege, 100), Levied(42, liege, 100), Levied(43, liege, 100) };
    int number = 50;
    for (const Case& c : cases) {
        for (bool onHost : { true, false }) {
            SCOPED_TRACE(testing::Message() << c.what << (onHost ? " on the host" : " on a client"));
            host = onHost;
            for (int i = 0; i < 3; ++i)
                own[i]->levyRegiment
                    = i < c.raisedOwn ? CRZID(RZTYPE_DYNAMIC, 900u + static_cast<uint32_t>(i)) : CRZID(NOID);
            Levied(number, vassal, 300);
            vassal->ruler->SetLoyaltyToLiege(0.5f);
            EXPECT_EQ(
                Handle(liege, new CRZIntIntEvent(_CRZEVT_MOBILIZE_PROVINCE_, liege->GetID(), number, c.flag)),
                3);
            EXPECT_NEAR(vassal->ruler->GetLoyaltyToLiege(), 0.5f + c.change, 1e-6f);
            gEventScheduler.ProcessAll();
            ++number;
        }
    }
}

TEST_F(CountryArmyHandlers, ADivisionJoinsOnlyAnArmyInTheProvinceWhereItStands)
{
    CRZCountry* realm = Realm(5);
    Land(40, realm);
    Land(41, realm);
    CRZUnit* from = Army(realm, 40);
    CRZUnit* far = Army(realm, 41);
    CRZUnit* near = Army(realm, 40);
    CDivision* division = Levy(from, 100, 40);
    division->destination = 41;

    EXPECT_EQ(Handle(realm, AddDivisionEvent(realm, far, division)), 0);
    EXPECT_EQ(division->army, from);
    EXPECT_TRUE(from->divisions.Contains(division));
    EXPECT_EQ(Handle(realm, AddDivisionEvent(realm, near, division)), 3);
    EXPECT_EQ(division->army, near);
    EXPECT_FALSE(from->divisions.Contains(division));
    EXPECT_TRUE(near->divisions.Contains(division));
    EXPECT_EQ(division->destination, 0);
}

TEST_F(CountryArmyHandlers, AKilledLevyBringsItsMenHomeHalvedFromAnotherRealmsLand)
{
    CRZCountry* realm = Realm(5);
    CRZCountry* other = Realm(6);
    gCountryControl[5] = CONTROL_LOCAL_PLAYER;
    CProvince* home = Levied(40, realm, 0);
    home->maximumLevy.Set(MILITIA, 5000);
    Land(41, realm);
    Land(50, other);
    struct Case {
        const char* what;
        int standing;
        bool outsideLevy;
        int back;
    };
    const Case cases[] = {
        { "at home", 41, false, 1000 },
        { "abroad", 50, false, 500 },
        { "raised outside the levy", 41, true, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Shown().clear();
        home->ClearRegimentSize();
        CRZUnit* army = Army(realm, c.standing);
        CDivision* division = Levy(army, 1000, 40);
        division->thirdFlag = c.outsideLevy;
        division->SetName("Levy of Home");
        home->levyRegiment = division->GetID();
        const DynamicID id = division->GetID();
        EXPECT_EQ(Handle(realm,
                      new CRZKillDivisionEvent(_CRZEVT_KILL_DIVISION_, realm->GetID(), id, true, true, 0)),
            3);
        EXPECT_EQ(home->currentLevy.Get(MILITIA), c.back);
        EXPECT_EQ(CRZDynamicObject::GetObjectFromID(id), nullptr);
        EXPECT_TRUE(army->divisions.IsEmpty());
        EXPECT_EQ(home->levyRegiment, CRZID(NOID));
        ASSERT_EQ(Shown().size(), 1u);
        EXPECT_EQ(Shown()[0].type, 11);
        EXPECT_EQ(Shown()[0].second, "Levy of Home");
        EXPECT_EQ(Shown()[0].number, c.standing);
    }
}

TEST_F(CountryArmyHandlers, ARemovedDivisionHeadsForItsArmysProvinceTheCapitalOrNowhere)
{
    CRZCountry* realm = Realm(5);
    CRZCountry* enemy = Realm(6);
    CProvince* capital = Land(40, realm);
    CProvince* homeArea = Land(41, realm);
    CProvince* away = Land(42, realm);
    CProvince* held = Land(43, realm);
    for (CProvince* p : { capital, homeArea, away })
        p->controller = 5;
    capital->area = homeArea->area = 1;
    away->area = 2;
    held->area = 3;
    held->controller = 6;
    realm->capital = 40;
    realm->controlledProvinces.Append(40);
    realm->atWarWith[6] = enemy->atWarWith[5] = 1;
    struct Case {
        const char* what;
        int standing;
        int destination;
    };
    const Case cases[] = {
        { "from the home area to the capital", 41, 40 },
        { "elsewhere where it stands", 42, 42 },
        { "nowhere in enemy hands", 43, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CRZUnit* army = Army(realm, c.standing);
        CDivision* division = Levy(army, 100, 40);
        EXPECT_EQ(
            Handle(realm, AddDivisionEvent(realm, division->army, division, _CRZEVT_REMOVE_DIVISION_)), 3);
        EXPECT_EQ(division->army, nullptr);
        EXPECT_TRUE(army->divisions.IsEmpty());
        EXPECT_EQ(division->destination, c.destination);
        EXPECT_EQ(division->removalNumber, 7);
        delete division;
    }
}

TEST_F(CountryArmyHandlers, AnEmptyArmyIsDisbandedAndAnExcludedOneIsNotDeleted)
{
    CRZCountry* realm = Realm(5);
    Land(40, realm);
    CRZUnit* empty = Army(realm, 40);
    const DynamicID emptyId = empty->GetID();
    EXPECT_EQ(Handle(realm, new CRZUnitEvent(_CRZEVT_DISBAND_UNIT_, realm->GetID(), emptyId, true)), 3);
    EXPECT_TRUE(empty->fadingOut);
    EXPECT_EQ(realm->GetUnit(emptyId), nullptr);
    EXPECT_EQ(CountWaiting(_CRZEVT_KILL_, emptyId), 1);

    CRZUnit* excluded = Army(realm, 40);
    excluded->exclusion = 1;
    CRZUnit* plain = Army(realm, 40);
    Levy(plain, 100, 40);
    EXPECT_EQ(
        Handle(realm, new CRZUnitEvent(_CRZEVT_UNITDELETE_, realm->GetID(), excluded->GetID(), false)), 0);
    EXPECT_EQ(realm->GetUnit(excluded->GetID()), excluded);
    EXPECT_EQ(Handle(realm, new CRZUnitEvent(_CRZEVT_UNITDELETE_, realm->GetID(), plain->GetID(), false)), 0);
    EXPECT_EQ(realm->GetUnit(plain->GetID()), nullptr);
    EXPECT_FALSE(plain->fadingOut);
}

// Numbers from another machine are checked before they name a province, a realm or an identity.
TEST_F(CountryArmyHandlers, BadNumbersFromTheNetworkChangeNothing)
{
    CRZCountry* realm = Realm(5);
    CProvince* province = Levied(40, realm, 100);
    CRZUnit* army = Army(realm, 40);
    CDivision* division = Levy(army, 100, 40);
    const DynamicID fresh = CRZDynamicObject::GetUniqueDynamicID();
    auto divisionEvent = [&](int number, DynamicID id, float men) {
        CMilitaryComposition strength;
        strength.Set(MILITIA, 100);
        CMilitaryCompositionRecord record = CompositionToRecord(strength);
        record.values[ARCHERS] = men;
        return new CRZDivisionEvent(_CRZEVT_CREATE_DIVISION_, realm->GetID(), id, number, NOID,
            static_cast<RZCultureType>(3), CAdvanceTupleRecord {}, record, false, false, false, 0);
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<CRZEvent*> bad = {
        new CRZBuildArmyEvent(_CRZEVT_CREATE_ARMY_, realm->GetID(), CDate(), fresh, NOID, 5000, NOID, NOID),
        new CRZBuildArmyEvent(_CRZEVT_CREATE_ARMY_, realm->GetID(), CDate(), fresh, NOID, -3, NOID, NOID),
        new CRZBuildArmyEvent(
            _CRZEVT_CREATE_ARMY_, realm->GetID(), CDate(), army->GetID(), NOID, 40, NOID, NOID),
        divisionEvent(1004, fresh, 0.0f),
        divisionEvent(40, fresh, nan),
        divisionEvent(40, fresh, -5.0f),
        divisionEvent(40, fresh, 3.0e38f),
        divisionEvent(40, division->GetID(), 0.0f),
        new CRZIntIntEvent(_CRZEVT_MOBILIZE_PROVINCE_, realm->GetID(), 70000, 0),
        new CRZCountryIntEvent(_CRZEVT_MOBILIZE_HOST_, realm->GetID(), 99999, MOBILIZE_OWN_HOST),
        new CRZCountryIntEvent(_CRZEVT_MOBILIZE_HOST_, realm->GetID(), 5, 77),
    };
    for (CRZEvent* event : bad) {
        SCOPED_TRACE(event->GetName());
        Handle(realm, event);
        gEventScheduler.ProcessAll();
        EXPECT_EQ(realm->armies.GetSize(), 1);
        EXPECT_EQ(CRZDynamicObject::GetObjectFromID(fresh), nullptr);
        EXPECT_EQ(province->currentLevy.Get(MILITIA), 100);
    }
    CRZTransferDivisionEvent transfer(CRZEvtType {}, realm->GetID(), division->GetID(), 99999);
    realm->handleTransferDivision(&transfer);
    EXPECT_EQ(division->owner, 5);
    CRZTransferDivisionEvent handover(CRZEvtType {}, realm->GetID(), division->GetID(), 6);
    realm->handleTransferDivision(&handover);
    EXPECT_EQ(division->owner, 6);
    // What is read afterwards still works: a good creation is taken.
    Handle(realm, divisionEvent(40, fresh, 0.0f));
    EXPECT_NE(CRZDynamicObject::GetObjectFromID(fresh), nullptr);
    delete CRZDynamicObject::GetObjectFromID(fresh);
}

// The host's session keeps a copy of every event it sends, as a client would receive it.
class RecordingSession : public CEventSession {
public:
    bool IsHost() const override { return true; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent* event) override
    {
        sent.emplace_back(event->GetRecordBytes(), event->GetRecordBytes() + event->GetDataSize());
    }
    std::vector<std::vector<uint8_t>> sent;
};

class ClientSession : public CEventSession {
public:
    bool IsHost() const override { return false; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
};

// A liege with two provinces of his own and a vassal with one, each with a levy; the same on every machine.
class CArmyWorld : public CRealmLand {
public:
    explicit CArmyWorld(bool onHost)
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gCountryHooks = CountryHooks {};
        onTheHost = onHost;
        gCountryHooks.IsHost = [] { return onTheHost; };
        InstallRealmDivisionHooks();
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
        timer.SetDate(CDate(0, 0, 1100));
        gpTimer = &timer;
        for (CRZCountryID id : { 1000, 5 })
            CRZCountry::ConstructCountry(id);
        liege = CRZCountry::_pCountry[1000];
        vassal = CRZCountry::_pCountry[5];
        Ruler(liege);
        Ruler(vassal, liege->ruler);
        vassal->ruler->SetLoyaltyToLiege(0.9f);
        int number = 40;
        for (CRZCountry* owner : { liege, liege, vassal }) {
            CProvince* province = Land(number++, owner);
            province->controller = owner->index;
            province->maximumLevy.Set(MILITIA, 4000);
            province->currentLevy.Set(MILITIA, 1000 + 100 * number);
        }
        Border(CProvince::GetProvince(40), CProvince::GetProvince(41));
    }
    ~CArmyWorld()
    {
        gEventScheduler.ProcessAll();
        gEventScheduler.Erase();
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        gIdentityLookups.GetCountry = nullptr;
        gpTimer = nullptr;
    }

    // What every machine must agree on: the armies with their divisions, the levies and the loyalty.
    std::string State() const
    {
        std::ostringstream out;
        for (const CRZCountry* realm : { liege, vassal }) {
            out << "realm " << realm->index << " loyalty " << realm->ruler->GetLoyaltyToLiege() << "\n";
            for (auto it = realm->armies.GetHead(); !it.IsEnd(); it++) {
                const CRZUnit* army = *it;
                out << " army " << army->GetID().number << " in " << army->GetProvince() << " fading "
                    << army->fadingOut << "\n";
                for (auto d = army->divisions.GetHead(); !d.IsEnd(); d++)
                    out << "  division " << (*d)->GetID().number << " " << (*d)->GetName() << " men "
                        << (*d)->GetTotalMen() << " home " << (*d)->homeProvince << " owner " << (*d)->owner
                        << "\n";
            }
        }
        for (int number = 40; number <= 42; ++number) {
            const CProvince* province = CProvince::GetProvince(number);
            out << "province " << number << " levy " << province->currentLevy.GetTotal() << " manpower "
                << province->manpowerTotal << " regiment " << province->levyRegiment.number << "\n";
        }
        return out.str();
    }

    static inline bool onTheHost = true;
    CRZTimer timer { 15 };
    CRZCountry* liege = nullptr;
    CRZCountry* vassal = nullptr;
};

TEST(CountryArmyDeterminism, AClientFedTheHostsEventsEndsInTheHostsState)
{
    RecordingSession hostSession;
    std::string hostState;
    {
        CArmyWorld world(true);
        SetEventSession(&hostSession);
        // The liege calls up his own province and one in his vassal's land, moves a levy between armies,
        // sends one home and disbands the emptied army.
        world.liege->MobilizeProvince(40, MOBILIZE_OWN_HOST);
        world.liege->MobilizeProvince(41, MOBILIZE_OWN_HOST);
        ProcessGlobalEvent(new CRZIntIntEvent(_CRZEVT_MOBILIZE_PROVINCE_, world.liege->GetID(), 42, 0));
        gEventScheduler.ProcessAll();
        ASSERT_EQ(world.liege->armies.GetSize(), 3);
        auto it = world.liege->armies.GetHead();
        CRZUnit* first = *it++;
        CRZUnit* second = *it++;
        const DynamicID joined = CRZDynamicObject::GetUniqueDynamicID();
        world.liege->CreateArmy(joined, 40);
        world.liege->AddDivision(world.liege->GetUnit(joined), *first->divisions.GetHead());
        world.liege->KillDivision(*second->divisions.GetHead(), true, true);
        ProcessGlobalEvent(
            new CRZUnitEvent(_CRZEVT_DISBAND_UNIT_, world.liege->GetID(), first->GetID(), true));
        gEventScheduler.ProcessAll();
        gEventScheduler.EmptyExternalList();
        hostState = world.State();
        SetEventSession(nullptr);
    }
    ASSERT_GE(hostSession.sent.size(), 10u);

    ClientSession clientSession;
    std::string clientState;
    {
        CArmyWorld world(false);
        SetEventSession(&clientSession);
        for (const std::vector<uint8_t>& bytes : hostSession.sent) {
            CRZNetEvent net(bytes.data(), static_cast<uint32_t>(bytes.size()));
            CRZEvent* event = BuildEventFromNetwork(&net);
            ASSERT_NE(event, nullptr);
            event->Process();
            delete event;
            gEventScheduler.ProcessAll();
        }
        clientState = world.State();
        SetEventSession(nullptr);
    }
    EXPECT_EQ(clientState, hostState);
}

} // namespace
