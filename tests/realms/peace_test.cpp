// Peace proposals: what the terms are worth, their texts, and carrying them out: claims enforced (with a
// realm founded for a landless claimant), wars ended once, truces made and a landless side annexed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "characters/relation.h"
#include "realms/peace.h"
#include "text_keys.h"
#include "war_world.h"

#include "foundation/safeguards.h"

namespace {

class PeaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = world.Realm(10);
        d = world.Realm(20);
        world.Land(10, a);
        world.Land(11, a);
        world.Land(20, d);
        war = world.War(a, d);
        warId = war->GetID();
    }
    // Made afresh, for the leaders as they are now.
    CPeaceProposal Proposal() const { return CPeaceProposal(warId, a->ruler, d->ruler); }

    CWarWorld world;
    CRZCountry* a = nullptr;
    CRZCountry* d = nullptr;
    CWar* war = nullptr;
    CRZID warId;
};

TEST_F(PeaceTest, TermsAreWorthTheirPartsToTheInitiator)
{
    PutTexts({ { "POPUP_PEACE_WHITE", "white peace" } });
    const struct {
        const char* what;
        float gold;
        int32_t vassalize;
        float value;
    } cases[] = {
        { "white peace", 0.0f, 0, 0.0f },
        { "500 gold tribute", 500.0f, 0, 1.0f },
        { "the receiver becomes a vassal", 0.0f, 1, 75.0f },
        { "the initiator becomes a vassal", 0.0f, -1, -75.0f },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CPeaceProposal proposal = Proposal();
        proposal.SetTribute(CSimpleScore(c.gold, 0.0f, 0.0f));
        proposal.SetVassalize(c.vassalize);
        EXPECT_FLOAT_EQ(proposal.GetSenderValue(), c.value);
    }
    EXPECT_EQ(std::string(Proposal().GetOthersDesc()), "white peace ");
    EXPECT_EQ(std::string(Proposal().GetDesc()), "white peace\n");
}

TEST_F(PeaceTest, APeaceScoreModifierOfZeroCountsAsOne)
{
    CClaim* claim = CWarWorld::Claim(a->ruler, 20);
    CPeaceProposal proposal = Proposal();
    proposal.InitiatorClaim(claim->GetID());
    const float even = proposal.GetSenderValue();
    // So low a diplomacy comes only from a bad file; its modifier rounds to 0.
    d->ruler->attributes.Set(CAttributeTuple::DIPLOMACY, -5000);
    ASSERT_EQ(d->ruler->GetAttributes().GetPeaceScoreModifier(), 0.0f);
    const float value = proposal.GetSenderValue();
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_FLOAT_EQ(value, even / a->ruler->GetAttributes().GetPeaceScoreModifier());
}

TEST_F(PeaceTest, AClaimForALandlessCourtierFoundsRealm1421AndTheLandlessSideIsAnnexed)
{
    CCharacter* courtier = world.Courtier(a);
    const CRZID claimId = CWarWorld::Claim(courtier, 20)->GetID();
    CPeaceProposal proposal = Proposal();
    proposal.InitiatorClaim(claimId);
    CCharacter* loser = d->ruler;

    proposal.Execute();

    CRZCountry* founded = CRZCountry::GetCountry(1421);
    ASSERT_NE(founded, nullptr);
    EXPECT_EQ(founded->ruler, courtier);
    EXPECT_EQ(CTitle::GetTitle(20)->GetCurrentHolder(), courtier);
    EXPECT_EQ(CClaim::GetClaim(claimId), nullptr) << "an enforced claim is spent";
    EXPECT_EQ(CWar::GetWar(warId), nullptr);
    EXPECT_TRUE(world.wars.IsEmpty());
    EXPECT_EQ(CRZCountry::GetCountry(20), nullptr)
        << "left with neither land nor vassals, the loser is annexed";
    EXPECT_EQ(loser->GetCountry(), CRZCountry::GetCountry(kNobodyCountry));
    EXPECT_FLOAT_EQ(a->GetBadBoy(), 2.0f);
    ASSERT_FALSE(CWarWorld::messages.empty());
    EXPECT_EQ(CWarWorld::messages.front().type, 6);
}

TEST_F(PeaceTest, WithNoFreeRealmNumberTheClaimantKeepsTheCountyInHisRealm)
{
    world.Land(21, d);
    CCharacter* courtier = world.Courtier(a);
    CClaim* claim = CWarWorld::Claim(courtier, 20);
    CRZCountry filler;
    for (int i = 1; i <= 1421; ++i) {
        if (CRZCountry::_pCountry[i] == nullptr)
            CRZCountry::_pCountry[i] = &filler;
    }
    CPeaceProposal proposal = Proposal();
    proposal.InitiatorClaim(claim->GetID());
    proposal.Execute();
    EXPECT_EQ(CTitle::GetTitle(20)->GetCurrentHolder(), courtier);
    EXPECT_EQ(courtier->GetCountry(), a);
    for (CRZCountry*& slot : CRZCountry::_pCountry) {
        if (slot == &filler)
            slot = nullptr;
    }
}

TEST_F(PeaceTest, EndingTheWarsClearsTheAtWarFlagsBothWaysAndMakesATruce)
{
    world.Land(21, d);
    Proposal().Execute();
    EXPECT_EQ(a->atWarWith[20], 0);
    EXPECT_EQ(d->atWarWith[10], 0);
    EXPECT_TRUE(world.wars.IsEmpty());
    EXPECT_TRUE(d->ruler->HasTruce(a->ruler) || a->ruler->HasTruce(d->ruler));
    ASSERT_NE(CRZCountry::GetCountry(20), nullptr) << "a side that keeps land stays";
    Proposal().Execute();
    EXPECT_EQ(CWarWorld::messages.size(), 1u) << "a peace without a war does nothing";
}

} // namespace
