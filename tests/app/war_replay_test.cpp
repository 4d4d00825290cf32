// A war declared, a battle and sieges won, a peace offered and an annexation, all on the
// host of the generated tiny game: a client that applies the host's events as they arrive ends in the
// host's state, and the war left its mark on that state.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/headless.h"
#include "events/event_factory.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "foundation/data_file.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/peace.h"
#include "realms/province.h"
#include "realms/war.h"
#include "support/generated_data.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace {

class TinyFolder : public testing::Environment {
public:
    void SetUp() override
    {
        Dir() = std::make_unique<support::ScratchDir>();
        ASSERT_TRUE(support::GenerateData(Dir()->path(), "tiny", 1));
        SetDataFolderOverride(Dir()->path().c_str());
        SetDataPath();
        ASSERT_TRUE(InitHeadlessTables(stderr));
    }
    void TearDown() override
    {
        ShutDownHeadlessTables();
        Dir().reset();
    }
    static std::unique_ptr<support::ScratchDir>& Dir()
    {
        static std::unique_ptr<support::ScratchDir> dir;
        return dir;
    }
};
testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new TinyFolder);

// The host: what it sends to the other machines is kept in its network form, in order.
class CHostSession : public CEventSession {
public:
    bool IsHost() const override { return true; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent* event) override
    {
        const uint8_t* bytes = event->GetRecordBytes();
        records.emplace_back(bytes, bytes + event->GetDataSize());
    }
    std::vector<std::vector<uint8_t>> records;
};

class CClientSession : public CEventSession {
public:
    bool IsHost() const override { return false; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
};

void ProcessReady()
{
    gEventScheduler.ProcessAll();
    gEventScheduler.EmptyExternalList();
}

void Days(int count)
{
    for (int day = 0; day < count; ++day) {
        PostGlobalEvent(new CRZIntEvent(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, 1));
        ProcessReady();
    }
}

// Two realms with a ruler and land each: the first attacks the second.
bool PickSides(CRZCountry*& attacker, CRZCountry*& defender)
{
    attacker = defender = nullptr;
    for (CRZCountry* realm : CRZCountry::_pCountry) {
        if (realm == nullptr || !CRZCountry::IsRealCountry(realm->index) || realm->ruler == nullptr
            || realm->GetOwnedProvinces().IsEmpty())
            continue;
        (attacker == nullptr ? attacker : defender) = realm;
        if (defender != nullptr)
            return true;
    }
    return false;
}

// The host's war, start to end; every step reaches the client as the events it sends.
void FightTheWar()
{
    CRZCountry* a = nullptr;
    CRZCountry* d = nullptr;
    ASSERT_TRUE(PickSides(a, d));
    const CRZCountryID aId = a->index;
    const CRZCountryID dId = d->index;
    const DynamicID warId = CRZDynamicObject::GetUniqueDynamicID();
    PostGlobalEvent(new CRZWarEvent(_CRZEVT_EXEC_SETUP_WAR_, a->GetID(), warId, aId, dId, false, true));
    ProcessReady();
    CWar* war = CWar::GetWar(warId);
    ASSERT_NE(war, nullptr);
    ASSERT_EQ(a->atWarWith[dId], 1);
    Days(5);

    CBattleResult result;
    result.province = d->GetOwnedProvinces().GetHead().IsEnd() ? 0 : *d->GetOwnedProvinces().GetHead();
    result.attackerWon = true;
    result.defenderLosses.Add(MILITIA, 1200.0f);
    result.endDate = CRZGame::GetCurrentDate();
    war->AddBattleResult(result);
    CRZCountryList beaten;
    beaten.Append(dId);
    PostGlobalEvent(
        new CRZBattleWonEvent(_CRZEVT_PROVBATTLEWON_, a->GetID(), DynamicID(), result.province, beaten));
    ProcessReady();

    // Every province of the defender falls to a siege on the host, which hands control over.
    std::vector<int32_t> taken;
    for (auto it = d->GetOwnedProvinces().GetHead(); !it.IsEnd(); it++)
        taken.push_back(*it);
    for (int32_t number : taken)
        PostGlobalEvent(new CRZIntCountryEvent(_CRZEVT_WIN_SIEGE_, a->GetID(), number, aId));
    ProcessReady();
    ASSERT_EQ(CProvince::GetProvince(taken.front())->GetControllerID(), aId);

    Days(3);

    // Peace is offered; then the defender is annexed outright.
    a->OfferPeace(CPeaceProposal(warId, a->ruler, d->ruler));
    Days(40);
    PostGlobalEvent(new CRZDiplomaticEvent(_CRZEVT_DIPLOMATIC_EVENT_, a->GetID(),
        static_cast<TQDiplomacyAction>(14), static_cast<TQDiplomacyType>(0), dId, aId, 0));
    Days(5);
}

// Loads the tiny game under the session, runs the body and answers the state's hash.
template <typename Body> uint64_t Play(CEventSession* session, Body body)
{
    SetEventSession(session);
    gGameRandom.Seed(1);
    gpGame = new CRZGame("scenarios\\tiny.rzg", 0);
    uint64_t hash = 0;
    if (gpGame->IsLoaded()) {
        ProcessReady();
        body();
        hash = HashGameState();
    }
    delete gpGame;
    gpGame = nullptr;
    gEventScheduler.Erase();
    SetEventSession(nullptr);
    return hash;
}

TEST(WarReplay, AClientFedTheHostsWarEventsEndsInTheHostsState)
{
    CHostSession host;
    const uint64_t hostHash = Play(&host, [] { FightTheWar(); });
    ASSERT_NE(hostHash, 0u);
    ASSERT_FALSE(host.records.empty());

    CClientSession client;
    const uint64_t clientHash = Play(&client, [&] {
        for (const std::vector<uint8_t>& record : host.records) {
            CRZNetEvent net(record.data(), static_cast<uint32_t>(record.size()));
            CRZEvent* event = BuildEventFromNetwork(&net);
            ASSERT_NE(event, nullptr);
            PostLocalEvent(event);
            ProcessReady();
        }
    });
    EXPECT_EQ(clientHash, hostHash);

    // The same days without the war end elsewhere.
    CHostSession quiet;
    const uint64_t quietHash = Play(&quiet, [] { Days(53); });
    EXPECT_NE(quietHash, hostHash);
}

} // namespace
