// Marriage and alliance between characters: who may marry, where the couple lives, the scripted event of a
// ruler's eldest daughter, and prestige that every machine adds alike whoever plays there.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "characters/relation.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "realm_land.h"
#include "realms/country.h"
#include "realms/request.h"

#include "foundation/safeguards.h"

namespace {

std::vector<std::pair<CRZID, CCharacter*>> gTriggered;

class MarriageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        CRelations::Init();
        gTriggered.clear();
        gCharacterHooks.TriggerEvent
            = [](const CRZID& event, CCharacter* character) { gTriggered.emplace_back(event, character); };
        for (CRZCountryID id : { kA, kB }) {
            CRZCountry::ConstructCountry(id);
            land.Ruler(CRZCountry::GetCountry(id))->birthDate = CDate(0, 0, 1060);
        }
        Realm(kA)->ruler->score = CSimpleScore(0.0f, 100.0f, 0.0f);
        Realm(kB)->ruler->score = CSimpleScore(0.0f, 200.0f, 0.0f);
        Realm(kB)->ruler->gender = GENDER_FEMALE;
    }
    void TearDown() override
    {
        CRelations::Shutdown();
        gEventScheduler.Erase();
        CRZCountry::DeleteAll();
        delete gpTimer;
        gpTimer = nullptr;
    }

    CRZCountry* Realm(CRZCountryID id) { return CRZCountry::GetCountry(id); }
    // A courtier of the realm, born in the year.
    CCharacter* Person(CRZCountryID realm, Gender gender, int born, const CCharacter* father = nullptr)
    {
        land.rulers.push_back(std::make_unique<CCharacter>());
        CCharacter* person = land.rulers.back().get();
        person->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(500 + land.rulers.size())));
        person->gender = gender;
        person->birthDate = CDate(0, 0, born);
        person->SetCountry(Realm(realm));
        if (father != nullptr) {
            person->father = father->GetID();
            const_cast<CCharacter*>(father)->children.Add(CRef<CCharacter>(person));
        }
        return person;
    }

    static constexpr CRZCountryID kA = 1020, kB = 1021;
    CRealmLand land;
};

TEST_F(MarriageTest, WhoMayMarry)
{
    CCharacter* king = Realm(kA)->ruler;
    CCharacter* queen = Realm(kB)->ruler;
    CCharacter* groom = Person(kA, GENDER_MALE, 1080);
    CCharacter* bride = Person(kB, GENDER_FEMALE, 1080);
    CCharacter* girl = Person(kB, GENDER_FEMALE, 1085); // 15 in 1100
    CCharacter* maid = Person(kB, GENDER_FEMALE, 1084); // 16
    EXPECT_TRUE(groom->CanMarry(bride));
    EXPECT_FALSE(king->CanMarry(queen)) << "two rulers";
    EXPECT_TRUE(king->CanMarry(bride));
    EXPECT_TRUE(groom->CanMarry(queen));
    EXPECT_FALSE(groom->CanMarry(girl)) << "fifteen is too young";
    EXPECT_TRUE(groom->CanMarry(maid));
    EXPECT_FALSE(groom->CanMarry(groom));
    EXPECT_FALSE(Person(kA, GENDER_MALE, 1080)->CanMarry(groom)) << "one gender";

    Realm(kA)->ImmidiateSetFormOfGoverment(GOV_ECCLESIASTICAL);
    EXPECT_FALSE(king->CanMarry(bride)) << "a bishop rules";
    EXPECT_FALSE(bride->CanMarry(king));
    Realm(kA)->ImmidiateSetFormOfGoverment(GOV_FEUDAL);

    // A widow whose marriage has ended may marry again.
    groom->Marry(bride);
    EXPECT_FALSE(maid->CanMarry(groom)) << "he is married";
    groom->GetRelation(bride, RELATION_MARRIAGE)->Terminate();
    EXPECT_TRUE(Person(kA, GENDER_MALE, 1079)->CanMarry(bride));
}

TEST_F(MarriageTest, ATitledBrideTakesTheHusbandToHerRealm)
{
    CCharacter* queen = Realm(kB)->ruler;
    CCharacter* groom = Person(kA, GENDER_MALE, 1080);
    groom->Marry(queen);
    EXPECT_EQ(groom->GetCountry(), Realm(kB));
    EXPECT_EQ(groom->FindSpouse(), queen);
    EXPECT_EQ(queen->FindSpouse(), groom);

    // An untitled bride follows her husband.
    CCharacter* bride = Person(kB, GENDER_FEMALE, 1081);
    CCharacter* other = Person(kA, GENDER_MALE, 1080);
    other->Marry(bride);
    EXPECT_EQ(bride->GetCountry(), Realm(kA));
    EXPECT_EQ(other->GetCountry(), Realm(kA));
}

TEST_F(MarriageTest, TheEldestDaughtersEventFiresAtHerFirstMarriageOnly)
{
    CCharacter* king = Realm(kA)->ruler;
    CCharacter* elder = Person(kA, GENDER_FEMALE, 1080, king);
    CCharacter* younger = Person(kA, GENDER_FEMALE, 1082, king);
    const auto fired = [](const CCharacter* father) {
        int count = 0;
        for (const auto& [event, character] : gTriggered)
            count += event == CRZID(18, 1094) && character == father;
        return count;
    };
    Person(kB, GENDER_MALE, 1078)->Marry(younger);
    EXPECT_EQ(fired(king), 0) << "not the eldest";
    CCharacter* first = Person(kB, GENDER_MALE, 1078);
    first->Marry(elder);
    EXPECT_EQ(fired(king), 1);
    first->GetRelation(elder, RELATION_MARRIAGE)->Terminate();
    Person(kB, GENDER_MALE, 1077)->Marry(elder);
    EXPECT_EQ(fired(king), 1) << "married before";
}

TEST_F(MarriageTest, EveryMachineAddsTheSamePrestigeWhoeverPlaysThere)
{
    CCharacter* groom = Person(kA, GENDER_MALE, 1080);
    CCharacter* bride = Person(kB, GENDER_FEMALE, 1081);
    groom->score = CSimpleScore(0.0f, 10.0f, 0.0f);
    bride->score = CSimpleScore(0.0f, 40.0f, 0.0f);
    const auto prestige = [&] {
        std::vector<float> values;
        for (const CCharacter* c : { groom, bride, Realm(kA)->ruler, Realm(kB)->ruler })
            values.push_back(c->GetScore().GetPrestige());
        return values;
    };
    const std::vector<float> before = prestige();

    // The figure the player sees counts his own ruler; it differs between the machines.
    gCountryControl[kA] = CONTROL_LOCAL_PLAYER;
    const float seenAtA = CRequest::GetOurCharacterPrestigeGain(groom, bride);
    gCountryControl[kA] = CONTROL_NETWORK_PLAYER;
    gCountryControl[kB] = CONTROL_LOCAL_PLAYER;
    const float seenAtB = CRequest::GetOurCharacterPrestigeGain(groom, bride);
    EXPECT_NE(seenAtA, seenAtB);

    groom->Marry(bride);
    const std::vector<float> after = prestige();
    // Groom: a fifth of his ruler's 100 and of the bride's 40; bride: of her ruler's 200 and the groom's
    // 10; each ruler a tenth of the other ruler's prestige and of the other spouse's.
    EXPECT_FLOAT_EQ(after[0] - before[0], 28.0f);
    EXPECT_FLOAT_EQ(after[1] - before[1], 42.0f);
    EXPECT_FLOAT_EQ(after[2] - before[2], 24.0f);
    EXPECT_FLOAT_EQ(after[3] - before[3], 11.0f);
    EXPECT_FLOAT_EQ(Realm(kA)->GetRelation(kB), 50.0f);
}

TEST_F(MarriageTest, AnAllianceAndATruceAreMadeOnce)
{
    CCharacter* king = Realm(kA)->ruler;
    CCharacter* queen = Realm(kB)->ruler;
    king->Ally(queen);
    EXPECT_TRUE(king->HasAlliance(queen));
    EXPECT_FLOAT_EQ(Realm(kA)->GetRelation(kB), 25.0f);
    king->Truce(queen);
    king->Truce(queen);
    int truces = 0;
    for (auto it = CRelations::GetInstance()->GetHead(); !it.IsEnd(); it++)
        truces += (*it)->GetType() == RELATION_TRUCE;
    EXPECT_EQ(truces, 1);
}

} // namespace
