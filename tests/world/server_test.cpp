// The server endpoint: dispatch by receiver number on the host, silence on a client, and the basic
// server's merging, disbanding and cancelling of constructions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "armies/army_servers.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "realms/construction.h"
#include "realms/realm_servers.h"
#include "world/server.h"
#include "world_fakes.h"

#include "foundation/safeguards.h"

using namespace worldfakes;

namespace {

std::vector<std::string> gSeen;

template <class Base> class CServerLog : public Base {
public:
    explicit CServerLog(const char* inName)
        : name(inName)
    {
    }
    int Update(CRZEvent*) override
    {
        gSeen.push_back(name);
        return answer;
    }
    const char* name;
    int answer = 0;
};

class CCharacterServerLog : public CCharacterServer {
public:
    CRZReturnType Update(CRZEvent*) override
    {
        gSeen.push_back("character");
        return 10;
    }
};

// A real realm that notes each event it is told before its router takes it.
class CListeningCountry : public CRZCountry {
public:
    int Update(CRZEvent* event) override
    {
        received.push_back(event->GetType());
        return CRZCountry::Update(event);
    }
    std::vector<CRZEvtType> received;
};

class ServerTest : public WorldTest {
protected:
    // In its slot of the table, which owns it.
    CListeningCountry* Listening(int index)
    {
        auto* realm = new CListeningCountry;
        realm->index = index;
        CRZCountry::_pCountry[index] = realm;
        return realm;
    }
    void SetUp() override
    {
        WorldTest::SetUp();
        gSeen.clear();
        combat.answer = 2;
        unit.answer = 3;
        investment.answer = 6;
        diplomacy.answer = 9;
        gGlobal.combatServer = &combat;
        gGlobal.unitServer = &unit;
        gGlobal.investmentServer = &investment;
        gGlobal.diplomacyServer = &diplomacy;
        gGlobal.characterServer = &characters;
        gEventRoutes.game = &game;
        SetGameServer(new CRZServer);
    }
    void TearDown() override
    {
        delete gpServer;
        gEventRoutes.game = nullptr;
        gGlobal.combatServer = nullptr;
        gGlobal.unitServer = nullptr;
        gGlobal.investmentServer = nullptr;
        gGlobal.diplomacyServer = nullptr;
        WorldTest::TearDown();
    }

    CServerLog<CRZCombatServer> combat { "combat" };
    CServerLog<CRZUnitServer> unit { "unit" };
    CServerLog<CRZInvestmentServer> investment { "investment" };
    CServerLog<CRZDiplomacyServer> diplomacy { "diplomacy" };
    CCharacterServerLog characters;
    CStartedGame game;
};

TEST_F(ServerTest, OnTheHostReceiverNumbersReachTheirServers)
{
    struct Case {
        uint32_t number;
        const char* server;
        int answer;
    };
    const Case cases[] = { { 2, "combat", 2 }, { 3, "unit", 3 }, { 6, "investment", 6 },
        { 9, "diplomacy", 9 }, { 10, "character", 10 }, { 0, "", 0 }, { 4, "", 0 }, { 7, "", 0 },
        { 8, "", 0 }, { 11, "", 0 }, { 12, "", 0 }, { 0xFFFFFFFEu, "", 0 } };
    for (const Case& c : cases) {
        gSeen.clear();
        EXPECT_EQ(ProcessLocalEvent(new CRZGenericEvent(_CRZEVT_REFRESHMAP_, CRZID(RZTYPE_SERVER, c.number))),
            c.answer)
            << c.number;
        const std::vector<std::string> expected
            = c.server[0] ? std::vector<std::string> { c.server } : std::vector<std::string> {};
        EXPECT_EQ(gSeen, expected) << c.number;
    }

    gSeen.clear();
    ProcessLocalEvent(new CRZGenericEvent(_CRZEVT_REFRESHMAP_, ALLID));
    ProcessLocalEvent(new CRZGenericEvent(_CRZEVT_REFRESHMAP_, ALLSERVER));
    const std::vector<std::string> all = { "combat", "unit", "investment", "diplomacy", "character" };
    std::vector<std::string> twice = all;
    twice.insert(twice.end(), all.begin(), all.end());
    EXPECT_EQ(gSeen, twice);
}

TEST_F(ServerTest, OnAClientEveryRequestIsAnsweredWithNothing)
{
    CFakeSession client;
    SetEventSession(&client);
    CListeningCountry* realm = Listening(3);
    CRZUnit* army = Army(realm);
    for (const CRZID& receiver :
        { ALLSERVER, BASIC_SERVER, COMBAT_SERVER, CHARACTER_SERVER, DIPLOMACY_SERVER }) {
        CRZUnitEvent disband(_CRZEVT_REQUEST_DISBAND_UNIT_, receiver, army->GetID(), true);
        EXPECT_EQ(gpServer->Update(&disband), 0);
    }
    EXPECT_TRUE(gSeen.empty());
    EXPECT_TRUE(realm->received.empty());
}

TEST_F(ServerTest, MergingMovesTheDivisionsAndTellsTheOwnerRealm)
{
    CListeningCountry* realm = Listening(3);
    CRZUnit* staying = Army(realm);
    CRZUnit* going = Army(realm);
    Division(staying, 10);
    CDivision* first = Division(going, 20);
    CDivision* second = Division(going, 30);

    CRZUnitMergeEvent merge(_CRZEVT_REQUEST_MERGE_, BASIC_SERVER, staying->GetID(), going->GetID());
    EXPECT_EQ(gpServer->Update(&merge), 0);
    EXPECT_TRUE(going->divisions.IsEmpty());
    ASSERT_EQ(staying->divisions.GetSize(), 3);
    auto moved = staying->divisions.GetHead();
    moved++;
    EXPECT_EQ(*moved, first);
    EXPECT_EQ(*staying->divisions.GetTail(), second);
    const std::vector<CRZEvtType> told = { _CRZEVT_ADD_DIVISION_, _CRZEVT_ADD_DIVISION_,
        _CRZEVT_TRANSFER_ALL_LEADERS_, _CRZEVT_TRANSFER_ALL_ARMIES_, _CRZEVT_DISBAND_UNIT_ };
    EXPECT_EQ(realm->received, told);
}

TEST_F(ServerTest, MergingRefusesOtherRealmsBattlesAndExcludedArmies)
{
    CListeningCountry* realm = Listening(3);
    CListeningCountry* other = Listening(4);
    CRZUnit* staying = Army(realm);
    CRZUnit* going = Army(realm);
    CRZUnit* foreign = Army(other);
    Division(going, 20);
    Division(foreign, 20);
    auto merge = [&](CRZUnit* a, CRZUnit* b) {
        CRZUnitMergeEvent request(_CRZEVT_REQUEST_MERGE_, BASIC_SERVER, a->GetID(), b->GetID());
        return gpServer->Update(&request);
    };

    EXPECT_EQ(merge(staying, foreign), 0);
    EXPECT_EQ(merge(staying, staying), 0);
    auto* battle = reinterpret_cast<CRZCombat*>(&realm); // any non-null battle
    going->battle = battle;
    EXPECT_EQ(merge(staying, going), 0);
    going->battle = nullptr;
    staying->exclusion = 1;
    EXPECT_EQ(merge(staying, going), 3);
    EXPECT_EQ(going->divisions.GetSize(), 1);
    EXPECT_EQ(foreign->divisions.GetSize(), 1);
    EXPECT_TRUE(realm->received.empty());
    EXPECT_TRUE(other->received.empty());
}

TEST_F(ServerTest, DisbandingAndCancellingReachTheOwnerRealm)
{
    CListeningCountry* realm = Listening(3);
    CRZUnit* army = Army(realm);
    CRZUnitEvent disband(_CRZEVT_REQUEST_DISBAND_UNIT_, BASIC_SERVER, army->GetID(), true);
    army->battle = reinterpret_cast<CRZCombat*>(&realm);
    EXPECT_EQ(gpServer->Update(&disband), 0);
    EXPECT_TRUE(realm->received.empty());
    army->battle = nullptr;
    EXPECT_EQ(gpServer->Update(&disband), 0);
    EXPECT_EQ(realm->received, std::vector<CRZEvtType>({ _CRZEVT_DISBAND_UNIT_ }));

    CListeningCountry* builder = Listening(8);
    CRZConstruction construction(CRZDynamicObject::GetUniqueDynamicID());
    construction.country = 8;
    CRZIdentityEvent cancel(_CRZEVT_REQUEST_CANCEL_CONSTRUCTION_, BASIC_SERVER, construction.GetID());
    EXPECT_EQ(gpServer->Update(&cancel), 0);
    EXPECT_EQ(builder->received, std::vector<CRZEvtType>({ _CRZEVT_CANCEL_CONSTRUCTION_ }));

    CRZIdentityEvent unknown(_CRZEVT_REQUEST_CANCEL_CONSTRUCTION_, BASIC_SERVER, CRZID(4712, 99999));
    EXPECT_EQ(gpServer->Update(&unknown), 0);
    EXPECT_EQ(builder->received.size(), 1u);
}

} // namespace
