// A war declared, a battle won and lost, sieges won, a peace offered and an annexation, all on the
// host of the generated tiny game: a client that applies the host's events as they arrive ends in the
// host's state, and the war left its mark on that state.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "app/game.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "realms/country.h"
#include "realms/peace.h"
#include "realms/province.h"
#include "realms/war.h"

#include "tiny_game.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CTinyGameFolder);

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
    // The defender lost a major battle and, before it, a minor one.
    const float points = d->baseVP[2];
    PostGlobalEvent(new CRZBattleLostEvent(_CRZEVT_PROVBATTLELOST_, d->GetID(), result.province, 0));
    PostGlobalEvent(new CRZBattleLostEvent(_CRZEVT_PROVBATTLELOST_, d->GetID(), result.province, 1));
    ProcessReady();
    ASSERT_FLOAT_EQ(d->baseVP[2] - points, -3.5f);

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

TEST(WarReplay, AClientFedTheHostsWarEventsEndsInTheHostsState)
{
    CHostSession host;
    std::vector<float> hostPoints;
    const uint64_t hostHash = PlayTinyGame(&host, [&] {
        FightTheWar();
        hostPoints = VictoryPoints();
    });
    ASSERT_NE(hostHash, 0u);
    ASSERT_FALSE(host.records.empty());

    CClientSession client;
    std::vector<float> clientPoints;
    const uint64_t clientHash = PlayTinyGame(&client, [&] {
        ApplyHostRecords(host);
        clientPoints = VictoryPoints();
    });
    EXPECT_EQ(clientHash, hostHash);
    EXPECT_EQ(clientPoints, hostPoints) << "the battles lost count on every machine";

    // The same days without the war end elsewhere.
    CHostSession quiet;
    const uint64_t quietHash = PlayTinyGame(&quiet, [] { Days(53); });
    EXPECT_NE(quietHash, hostHash);
}

} // namespace
