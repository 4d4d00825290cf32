// Deaths with gold in the generated tiny game: the host divides the estates, and a client that applies the
// host's events ends with the same dead men's and heirs' gold and the same state.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "characters/character.h"
#include "realms/country.h"
#include "world/global.h"

#include "tiny_game.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CTinyGameFolder);

// The first ruler of a real realm, and the first living man at a real realm's court who rules nothing.
std::vector<CCharacter*> Dying()
{
    CCharacter* ruler = nullptr;
    CCharacter* courtier = nullptr;
    for (int i = 0; i < gGlobal.GetLiveCharCount(); ++i) {
        CCharacter* character = gGlobal.GetLiveChar(i);
        if (character == nullptr || !CRZCountry::IsRealCountry(character->realmId)
            || character->GetCountry() == nullptr)
            continue;
        if (ruler == nullptr && character->IsRuler())
            ruler = character;
        else if (courtier == nullptr && !character->IsRuler() && character->titles.IsEmpty())
            courtier = character;
    }
    std::vector<CCharacter*> dying;
    for (CCharacter* character : { ruler, courtier }) {
        if (character != nullptr)
            dying.push_back(character);
    }
    return dying;
}

struct Estates {
    std::vector<float> deadGold;
    float realmGold = 0.0f;
};

TEST(EstateReplay, TheDeadMensGoldLeavesThemOnHostAndClientAlike)
{
    // The same men on both machines, each given gold first: the ruler's realm and the courtier's share.
    const auto giveGold = [] {
        std::vector<CCharacter*> dying = Dying();
        for (CCharacter* character : dying)
            character->score = CSimpleScore(90.0f, 10.0f, 5.0f);
        return dying;
    };
    const auto read = [](const std::vector<CCharacter*>& dying, Estates& estates) {
        for (const CCharacter* dead : dying)
            estates.deadGold.push_back(dead->score.GetGold());
        const CRZCountry* realm = dying.front()->GetCountry();
        if (realm != nullptr && realm->ruler != nullptr)
            estates.realmGold = realm->ruler->score.GetGold();
    };

    CHostSession host;
    Estates onHost;
    const uint64_t hostHash = PlayTinyGame(&host, [&] {
        const std::vector<CCharacter*> dying = giveGold();
        ASSERT_EQ(dying.size(), 2u);
        for (CCharacter* character : dying)
            character->PostDeath();
        ProcessReady();
        Days(3);
        for (const CCharacter* dead : dying)
            ASSERT_FALSE(dead->IsAlive());
        read(dying, onHost);
    });
    ASSERT_NE(hostHash, 0u);
    EXPECT_EQ(onHost.deadGold, (std::vector<float> { 0.0f, 0.0f }));
    EXPECT_FLOAT_EQ(onHost.realmGold, 90.0f) << "the new ruler takes the dead ruler's gold";

    // The client's game comes second in this program, on the host's date: the host's titled death today
    // must not put off the same death on the client.
    CClientSession client;
    Estates onClient;
    const uint64_t clientHash = PlayTinyGame(&client, [&] {
        const std::vector<CCharacter*> dying = giveGold();
        ApplyHostRecords(host);
        read(dying, onClient);
    });
    EXPECT_EQ(onClient.deadGold, onHost.deadGold);
    EXPECT_EQ(onClient.realmGold, onHost.realmGold);
    EXPECT_EQ(clientHash, hostHash);
}

} // namespace
