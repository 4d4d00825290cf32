// Revolts in the generated tiny game: the host raises the rebels' army from a province's estates, a client
// that applies the host's events builds the same army, and two rebel armies standing in one province are
// one army after the next month's turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "armies/unit.h"
#include "characters/stands_tuple.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "realms/country.h"
#include "realms/province.h"

#include "tiny_game.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CTinyGameFolder);

// The first land province with an owner.
CProvince* OwnedProvince()
{
    for (int number = 1; number <= kLastTableProvince; ++number) {
        CProvince* province = CProvince::GetProvince(number);
        if (province != nullptr && province->GetOwner() != nullptr)
            return province;
    }
    return nullptr;
}

// The men of every rebel army in the province, in list order.
std::vector<int> RebelArmies(int province)
{
    std::vector<int> men;
    const CRZCountry* rebels = CRZCountry::GetCountry(kRebelCountry);
    if (rebels == nullptr)
        return men;
    for (auto it = rebels->armies.GetHead(); !it.IsEnd(); it++) {
        if ((*it)->GetProvince() == province)
            men.push_back((*it)->GetTotalStrength());
    }
    return men;
}

// Every machine starts from the same shares and loyalties of the scenario's first owned province: low
// enough that the rising's calm shows, not so low that the estates rise again by chance.
void EvenPrivileges()
{
    if (CProvince* province = OwnedProvince()) {
        province->privileges = CStandsTuple(0.5f, 0.5f, 0.0f, 0.0f);
        province->loyalty = CStandsTuple(0.3f, 0.3f, 0.3f, 0.3f);
    }
}

struct Revolt {
    int province = 0;
    int expectedMen = 0;
    std::vector<int> raised, merged;
    float peasants = 0.0f, burghers = 0.0f;
};

void ReadLoyalty(Revolt& revolt)
{
    if (const CProvince* province = CProvince::GetProvince(revolt.province)) {
        revolt.peasants = province->loyalty.GetPeasants();
        revolt.burghers = province->loyalty.GetBurghers();
    }
}

// Peasants and burghers of one province rise on the host on the game's first day; a month passes.
void RiseTwice(Revolt& revolt)
{
    CProvince* province = OwnedProvince();
    ASSERT_NE(province, nullptr);
    revolt.province = province->GetNumber();
    // Peasants raise 100 archers and 250 militia, burghers 100 pikemen, 200 heavy foot and 50 archers,
    // each by the province's income and the estate's share.
    const float scale = std::max(0.2f, province->GetIncome() * (0.5f + 0.5f) * 0.5f);
    revolt.expectedMen = static_cast<int>(350.0f * scale);
    province->CreateRevolt(CStandsTuple::PEASANTS);
    province->CreateRevolt(CStandsTuple::BURGHERS);
    ProcessReady();
    revolt.raised = RebelArmies(revolt.province);
    Days(35);
    revolt.merged = RebelArmies(revolt.province);
    ReadLoyalty(revolt);
}

TEST(RevoltReplay, TheRebelsArmyRisesOnHostAndClientAlikeAndTwoInOneProvinceJoinAtTheMonth)
{
    CHostSession host;
    Revolt onHost;
    const uint64_t hostHash = PlayTinyGame(&host, [&] {
        EvenPrivileges();
        RiseTwice(onHost);
    });
    ASSERT_NE(hostHash, 0u);
    ASSERT_GT(onHost.expectedMen, 2);
    EXPECT_EQ(onHost.raised, (std::vector<int> { onHost.expectedMen, onHost.expectedMen }));
    ASSERT_EQ(onHost.merged.size(), 1u) << "the rebels' second army joins the first at the month";
    EXPECT_LE(onHost.merged[0], 2 * onHost.expectedMen);

    CClientSession client;
    Revolt onClient;
    const uint64_t clientHash = PlayTinyGame(&client, [&] {
        EvenPrivileges();
        ApplyHostRecords(host);
        onClient.province = onHost.province;
        onClient.merged = RebelArmies(onHost.province);
        ReadLoyalty(onClient);
    });
    EXPECT_EQ(onClient.merged, onHost.merged);
    EXPECT_EQ(onClient.peasants, onHost.peasants);
    EXPECT_EQ(onClient.burghers, onHost.burghers);
    EXPECT_EQ(clientHash, hostHash);
}

} // namespace
