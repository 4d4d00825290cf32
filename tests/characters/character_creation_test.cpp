// New characters from creation events and from dead relatives: the profiles of the creation types over
// many seeds, the same character from the same event on every machine, names, bad events, and new
// identities after a load.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/culture.h"
#include "characters/title.h"
#include "events/game_clock.h"
#include "events/records_character.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"
#include "support/scratch.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kRealm = 7;

class CreationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        server = std::make_unique<CCharacterServer>();
        for (int culture = 1; culture < CCharacterServer::kNameCultures; ++culture)
            for (int gender = 0; gender < 2; ++gender)
                CCharacterServer::names[gender][culture]
                    = { Name(culture, gender, 0), Name(culture, gender, 1) };
        realm = Realm(kRealm);
        realm->capital = 12;
        ruler = Keep(new CCharacter);
        ruler->Create(CRZID(RZTYPE_CHARACTER, 1));
        ruler->birthDate = CDate(0, 0, 1060);
        ruler->SetBaseAttributes(CAttributeTuple(5, 5, 5, 5, 6, 3));
        ruler->RefreshAttributes();
        ruler->SetCountry(realm);
        realm->AddRulerImmidiatly(ruler);
    }
    void TearDown() override
    {
        for (auto it = server->GetHead(); !it.IsEnd(); it++)
            delete *it;
        server->RemoveAll();
        server.reset();
        CCharacterServer::ClearRandomCharacterNames();
        CTitle::DestroyAll();
        CRZCountry::DeleteAll();
        gCharacterHooks = {};
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    static std::string Name(int culture, int gender, int i)
    {
        return std::string(gender == 0 ? "M" : "F") + std::to_string(culture) + "_" + std::to_string(i);
    }
    static CRZCountry* Realm(int index)
    {
        if (CRZCountry::_pCountry[index] == nullptr)
            CRZCountry::ConstructCountry(index);
        return CRZCountry::_pCountry[index];
    }
    CCharacter* Keep(CCharacter* character)
    {
        server->Append(character);
        return character;
    }

    struct Creation {
        int seed = 1;
        int type = 0;
        int gender = GENDER_MALE;
        int religion = RELIGION_CATHOLIC;
        int culture = 5;
        int realmNumber = kRealm;
        int province = 12;
        CRZID parent = NOID;
        CRZID identity = CRZID(RZTYPE_DYNAMIC, 500);
        const char* name = nullptr;
    };
    // Applies the creation event as every machine does; the new character, or null when none was made.
    CCharacter* Create(const Creation& c)
    {
        CRZCharacterCreationEvent event(_CRZEVT_CHARACTER_CREATION_, ruler->GetID(),
            CRZID(RZTYPE_COUNTRY, static_cast<uint32_t>(c.realmNumber)), c.parent, c.identity, c.seed,
            c.province, static_cast<Gender>(c.gender), static_cast<VLCreationType>(c.type),
            static_cast<RZReligionType>(c.religion), static_cast<RZCultureType>(c.culture), c.name);
        ruler->Update(&event);
        return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(c.identity));
    }
    void Forget(CCharacter* character)
    {
        server->Remove(character);
        if (CCharacter* parent = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(character->father)))
            parent->children.RemoveAll();
        if (CRZCountry* home = character->GetCountry())
            home->RemoveCharacter(character);
        delete character;
    }

    std::unique_ptr<CCharacterServer> server;
    CRZCountry* realm = nullptr;
    CCharacter* ruler = nullptr;
};

int Personality(const CCharacter& c, std::vector<int>* held = nullptr)
{
    int count = 0;
    for (int trait = 0; trait <= 25; ++trait)
        if (c.HasTrait(trait)) {
            ++count;
            if (held)
                held->push_back(trait);
        }
    return count;
}

int Education(const CCharacter& c)
{
    for (int trait = 49; trait <= 68; ++trait)
        if (c.HasTrait(trait))
            return trait;
    return -1;
}

TEST_F(CreationTest, TenThousandSeedsKeepEveryTypesAgesAttributesAndTraits)
{
    struct Profile {
        int low[6], high[6];
        std::vector<int> first, second;
        std::vector<int> ladders;
    };
    const std::vector<int> any
        = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25 };
    const Profile profiles[7] = {
        { { 1, 1, 1, 1, 4, 4 }, { 8, 8, 8, 8, 7, 7 }, any, any, { 53, 57, 61, 65 } },
        { { 1, 2, 1, 4, 4, 4 }, { 6, 8, 6, 7, 7, 7 }, { 6, 7 }, { 10, 11 }, { 65 } },
        { { 4, 1, 1, 2, 4, 4 }, { 7, 6, 6, 8, 7, 7 }, { 24, 25 }, { 18, 19 }, { 57 } },
        { { 1, 2, 4, 1, 4, 4 }, { 6, 8, 7, 6, 7, 7 }, { 8, 9 }, { 22, 23 }, { 53 } },
        { { 1, 4, 2, 1, 4, 4 }, { 6, 7, 8, 6, 7, 7 }, { 8, 9 }, { 4, 5 }, { 61 } },
        { { 1, 1, 1, 1, 4, 4 }, { 8, 8, 8, 8, 7, 7 }, { 0, 1 }, { 16, 17 }, { 49 } },
        { { 1, 1, 1, 1, 4, 4 }, { 8, 8, 8, 8, 7, 7 }, any, any, { 53, 57, 61, 65 } },
    };
    auto among = [](const std::vector<int>& list, int value) {
        for (int v : list)
            if (v == value)
                return true;
        return false;
    };
    int youngest = 100, oldestMan = 0, oldestWoman = 0;
    for (int seed = 0; seed < 10000; ++seed) {
        Creation c;
        c.seed = seed * 7919 + 13;
        c.type = seed % 8;
        c.gender = (seed / 8) % 2;
        CCharacter* made = Create(c);
        ASSERT_NE(made, nullptr) << "seed " << seed;
        SCOPED_TRACE("seed " + std::to_string(seed) + " type " + std::to_string(c.type));
        const int age = made->GetAge();
        const CAttributeTuple& base = made->GetBaseAttributes();
        if (c.type == 7) {
            EXPECT_EQ(age, 0);
            EXPECT_TRUE(made->HasTrait(TRAIT_BASTARD));
            EXPECT_EQ(made->status, 1);
            EXPECT_EQ(made->father, ruler->GetID());
            EXPECT_EQ(Personality(*made), 0);
            EXPECT_EQ(Education(*made), -1);
            for (int which = 0; which < 4; ++which)
                EXPECT_EQ(base.Get(which), 0);
            // Half of the ruler's health 6 and 0..1 more; half of his fertility 3 and 0..2 more.
            EXPECT_GE(base.GetHealth(), 3);
            EXPECT_LE(base.GetHealth(), 4);
            EXPECT_GE(base.GetFertility(), 1);
            EXPECT_LE(base.GetFertility(), 3);
        } else {
            const Profile& p = profiles[c.type];
            youngest = std::min(youngest, age);
            (made->IsFemale() ? oldestWoman : oldestMan)
                = std::max(made->IsFemale() ? oldestWoman : oldestMan, age);
            EXPECT_GE(age, 15);
            EXPECT_LE(age, made->IsFemale() ? 39 : 54);
            for (int which = 0; which < 6; ++which) {
                EXPECT_GE(base.Get(which), p.low[which]) << "attribute " << which;
                EXPECT_LE(base.Get(which), p.high[which]) << "attribute " << which;
            }
            std::vector<int> held;
            const int count = Personality(*made, &held);
            if (age < 18) {
                EXPECT_FALSE(made->HasTrait(0));
                EXPECT_FALSE(made->HasTrait(1));
                EXPECT_LE(count, 2);
            } else {
                EXPECT_EQ(count, 2);
            }
            bool fromFirst = false;
            for (int trait : held)
                fromFirst = fromFirst || among(p.first, trait);
            if (c.type != 0 && c.type != 6 && age >= 18) {
                EXPECT_TRUE(fromFirst);
            }
            const int education = Education(*made);
            ASSERT_GE(education, 0);
            EXPECT_TRUE(among(p.ladders, education - (education - 49) % 4));
        }
        Forget(made);
    }
    EXPECT_EQ(youngest, 15);
    EXPECT_EQ(oldestMan, 54);
    EXPECT_EQ(oldestWoman, 39);
}

TEST_F(CreationTest, OneEventMakesTheSameCharacterEveryTimeAndLeavesTheGamesSequenceAlone)
{
    for (int type : { 0, 3, 7 }) {
        Creation c;
        c.seed = 4242 + type;
        c.type = type;
        c.gender = GENDER_FEMALE;
        gGameRandom.Seed(99);
        CCharacter* first = Create(c);
        ASSERT_NE(first, nullptr);
        // A machine whose generator stood elsewhere builds the same character.
        const int next = gGameRandom.Next();
        gGameRandom.Seed(99);
        EXPECT_EQ(gGameRandom.Next(), next) << "the creation moved the game's own sequence";
        const std::string name = first->GetName();
        const CDate born = first->birthDate;
        const CAttributeTuple base = first->GetBaseAttributes();
        const std::string dna = first->dna;
        const CRZID dynasty = first->dynasty;
        std::vector<int> traits;
        for (int t = 0; t < kTraitCount; ++t)
            if (first->HasTrait(t))
                traits.push_back(t);
        Forget(first);

        gGameRandom.Seed(12345);
        CCharacter* second = Create(c);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->GetName(), name);
        EXPECT_EQ(second->birthDate, born);
        for (int which = 0; which < 6; ++which)
            EXPECT_EQ(second->GetBaseAttributes().Get(which), base.Get(which));
        EXPECT_EQ(std::string(second->dna), dna);
        EXPECT_EQ(std::strlen(second->dna), 14u);
        EXPECT_EQ(second->dynasty, dynasty);
        for (int t = 0; t < kTraitCount; ++t)
            EXPECT_EQ(second->HasTrait(t), std::find(traits.begin(), traits.end(), t) != traits.end()) << t;
        Forget(second);
    }
}

TEST_F(CreationTest, ACreationTakesTheRealmsCapitalTheGivenNameAndTheRealmOfNobodyWhenTheRealmIsGone)
{
    Creation c;
    c.name = "Aldric";
    CCharacter* named = Create(c);
    ASSERT_NE(named, nullptr);
    EXPECT_STREQ(named->GetName(), "Aldric");
    EXPECT_EQ(named->homeProvince, 12);
    EXPECT_EQ(named->GetCountry(), realm);
    EXPECT_EQ(named->culture, 5);

    Realm(1401);
    c.identity = CRZID(RZTYPE_DYNAMIC, 501);
    c.realmNumber = 300;
    c.name = nullptr;
    CCharacter* stray = Create(c);
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(stray->realmId, 1401);
    EXPECT_EQ(stray->homeProvince, 0);
    EXPECT_TRUE(std::string(stray->GetName()).rfind("M5_", 0) == 0) << stray->GetName();
}

TEST_F(CreationTest, EventsWithNumbersOutOfRangeOrATakenIdentityAreDropped)
{
    struct Case {
        const char* what;
        void (*spoil)(Creation&);
    };
    const Case cases[] = {
        { "creation type", [](Creation& c) { c.type = 8; } },
        { "negative creation type", [](Creation& c) { c.type = -1; } },
        { "gender", [](Creation& c) { c.gender = 2; } },
        { "religion", [](Creation& c) { c.religion = 6; } },
        { "culture", [](Creation& c) { c.culture = 50; } },
        { "realm", [](Creation& c) { c.realmNumber = 5000; } },
        { "province", [](Creation& c) { c.province = 70000; } },
        { "taken identity", [](Creation& c) { c.identity = CRZID(RZTYPE_CHARACTER, 1); } },
        { "no identity", [](Creation& c) { c.identity = NOID; } },
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.what);
        Creation c;
        bad.spoil(c);
        const int before = server->GetSize();
        Create(c);
        EXPECT_EQ(server->GetSize(), before);
    }
}

TEST_F(CreationTest, ACousinIsAWeakerYoungerManOfTheDeadMansRealmAndFamily)
{
    CCharacter* dead = Keep(new CCharacter);
    dead->Create(CRZID(RZTYPE_CHARACTER, 2));
    dead->SetBaseAttributes(CAttributeTuple(9, 7, 4, 2, 5, 3));
    dead->culture = 8;
    dead->religion = RELIGION_ORTHODOX;
    dead->dynasty = CRZID(RZTYPE_DYNASTY, 77);
    dead->gender = GENDER_FEMALE;
    dead->SetCountry(realm);
    CCharacter* cousin = dead->DoCreateRandomCousin(CRZID(RZTYPE_DYNAMIC, 900), 31337);
    ASSERT_NE(cousin, nullptr);
    const CAttributeTuple& base = cousin->GetBaseAttributes();
    const int expected[6] = { 6, 5, 3, 2, 4, 4 };
    for (int which = 0; which < 6; ++which)
        EXPECT_EQ(base.Get(which), expected[which]) << which;
    EXPECT_FALSE(cousin->IsFemale());
    EXPECT_GE(cousin->GetAge(), 17);
    EXPECT_LE(cousin->GetAge(), 26);
    EXPECT_EQ(cousin->GetScore().GetPrestige(), -50.0f);
    EXPECT_EQ(cousin->dynasty, dead->dynasty);
    EXPECT_EQ(cousin->GetCountry(), realm);
    EXPECT_EQ(cousin->homeProvince, 12);
    EXPECT_EQ(cousin->religion, RELIGION_ORTHODOX);
    const int education = Education(*cousin);
    EXPECT_TRUE(education == 49 || education == 53 || education == 57 || education == 61 || education == 65);
    EXPECT_EQ(std::strlen(cousin->dna), 14u);
    EXPECT_TRUE(server->Contains(cousin));
    // The same identity again is refused, not fatal.
    EXPECT_EQ(dead->DoCreateRandomCousin(CRZID(RZTYPE_DYNAMIC, 900), 1), nullptr);
}

TEST_F(CreationTest, IdentitiesDrawnAfterALoadStartAboveEveryIdentityLoaded)
{
    // A character made in an earlier session, as the saved game's record registers him.
    CCharacter* saved = Keep(new CCharacter);
    saved->Create(CRZID(RZTYPE_DYNAMIC, 40));
    saved->SetCountry(realm);
    Creation c;
    c.identity = CIdentity::GetRandomID();
    CCharacter* made = Create(c);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetID(), CRZID(RZTYPE_DYNAMIC, 41));
    CCharacter* cousin = saved->DoCreateRandomCousin(CIdentity::GetRandomID(), 5);
    ASSERT_NE(cousin, nullptr);
    EXPECT_EQ(cousin->GetID(), CRZID(RZTYPE_DYNAMIC, 42));
}

TEST_F(CreationTest, NamesComeFromTheTableWithTheNorseAndSteppeWomenBorrowing)
{
    support::ScratchFile table("#culture;gender;name;\r\n"
                               "norwegian;MALE;Olaf;\r\n"
                               "mongol;female;Borte;\r\n"
                               "#mongol;female;Hidden;\r\n"
                               "saxon;female;Edith;\r\n"
                               "pecheneg;male;Kuchug;\r\n");
    CCharacterServer::ParseRandomCharacterNames(table.Path());
    const int saxon = CRZCulture::Which("saxon");
    ASSERT_GT(saxon, 0);
    struct Case {
        int culture, gender;
        std::string name;
    } cases[] = {
        { CULTURE_NORSE, GENDER_MALE, "Olaf" },
        { 2, GENDER_MALE, "Olaf" },
        { 32, GENDER_FEMALE, "Borte" },
        { 31, GENDER_FEMALE, "Borte" },
        { 36, GENDER_FEMALE, "Borte" },
        { 32, GENDER_MALE, "Kuchug" },
        { saxon, GENDER_FEMALE, "Edith" },
        { saxon, GENDER_MALE, TextStrings.GetString("INFANT_NAME") },
        { 2, GENDER_FEMALE, TextStrings.GetString("INFANT_NAME") },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CCharacterServer::GetRandomCharacterName(c.culture, c.gender), c.name)
            << c.culture << "/" << c.gender;
}

TEST_F(CreationTest, TheDefaultAndTheAnonymousCharacters)
{
    CCharacter* blank = Keep(new CCharacter);
    blank->Create(CRZID(RZTYPE_CHARACTER, 3));
    blank->InitFromVoid();
    EXPECT_EQ(blank->culture, CULTURE_NORSE);
    EXPECT_EQ(blank->originProvince, 1);
    EXPECT_EQ(std::string(blank->GetName()).substr(0, 3), "M2_");

    std::unique_ptr<CCharacter> soldier(CCharacter::InitAnonymous());
    EXPECT_EQ(soldier->GetID(), kAnonymousSoldierID);
    EXPECT_TRUE(soldier->IsAnonymous());
    EXPECT_EQ(soldier->GetAttributes().GetMartial(), 4);
    EXPECT_EQ(soldier->GetAttributes().GetFertility(), 0);
    EXPECT_STREQ(soldier->GetName(), TextStrings.GetString("NAME_ANONYMOUS_SOLDIER"));
    EXPECT_FALSE(server->Contains(soldier.get()));
}

} // namespace
