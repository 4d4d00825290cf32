// The game behind the scenario reader and the save writer: a small scenario of characters, a dynasty,
// relations and realms read, linked, saved and read back to the same bytes; and corrupt files, each refused
// with its located message and leaving nothing of what was read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/culture.h"
#include "characters/dynasty.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "datalang/game_file.h"
#include "datalang/script_tree.h"
#include "events/game_clock.h"
#include "foundation/data_file.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/realm_character_hooks.h"
#include "support/data_folder.h"
#include "support/generated_data.h"
#include "support/scratch.h"
#include "text/new_text.h"
#include "world/game_scenario_world.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

const std::string kDate = "{ year = 1090 month = january day = 0 }";

std::string Character(int id, const std::string& extra)
{
    return "character = { id = { type = 10 id = " + std::to_string(id) + " } " + extra + " }\n";
}

// Three generations: a ruler of C001 and his wife, their son; a marriage and an ended truce.
std::string Scenario()
{
    const std::string culture = CRZCulture::GetTag(3);
    return "name = \"Test\"\nheader = { }\n"
           "globaldata = { startdate = { year = 1100 month = january day = 0 } enddate = { year = 1400 "
           "month = january day = 0 } }\n"
           "relations = { marrige = { primary = { type = 10 id = 1 } secondary = { type = 10 id = 2 } "
           "startdate = "
        + kDate
        + " }\n"
          "  truce = { primary = { type = 10 id = 1 } secondary = { type = 10 id = 3 } startdate = "
        + kDate + " enddate = { year = 1095 month = may day = 3 } } }\n"
        + Character(1,
            "dyn = 7 tag = C001 name = \"Aldo\" date = \"10700105\" gender = male religion = catholic "
            "culture = "
                + culture
                + " attributes = \"5.6.7.8.9.4\" traits = { bastard = yes } dna = \"123\" loyalty = 0.5")
        + Character(2,
            "dyn = 7 tag = C001 name = \"Berta\" status = no date = \"10750000\" gender = yes religion = "
            "catholic "
            "culture = "
                + culture + " score = { gold = 12.5 }")
        + Character(3,
            "dyn = 7 tag = C002 name = \"Carl\" date = \"10920000\" gender = male religion = orthodox "
            "culture = "
                + culture + " father = { type = 10 id = 1 } mother = { type = 10 id = 2 } court = 4 dna = \""
                + std::string(200, '9') + "\"")
        + "include = \"db\\dynasties.txt\"\n"
          "country = { tag = C001 badboy = 2.5 form_of_goverment = republican ruler = { character = { type = "
          "10 id = 1 } } laws = { salic_primogeniture_law = yes elective_law = yes } vp = 3 vp = 4 "
          "controlledprovinces = { 1 2 } event_chance = { 5 = 0.5 5 = 0.9 } relation = { 0, 1.5, -2 } }\n"
          "country = { tag = C002 }\n";
}

class GameScenarioWorldTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(support::GenerateData(support::gDataFolder, "tiny", 5));
        SetDataPath();
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
        ASSERT_TRUE(CCountryDB::Init());
        CLID::_pIDToTag = &CCountryDB::IDToTag;
        Write("db/dynasties.txt", "dynasty = { id = 7 name = \"Vell\" province = { 1 2 } }\n");
        Write("db/events.txt", "");
    }

    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        InstallRealmCharacterHooks();
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
        CTitle::ConstructAll();
        CRelations::Init();
        gGlobal.characterServer = &server;
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
    }

    void TearDown() override
    {
        world.DiscardLoad();
        CTitle::DestroyAll();
        CRelations::Shutdown();
        gGlobal.characterServer = nullptr;
        gCharacterHooks = {};
        gIdentityLookups.GetCountry = nullptr;
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    static void Write(const std::string& name, const std::string& text)
    {
        std::ofstream(support::gDataFolder + "/" + name, std::ios::binary | std::ios::trunc) << text;
    }

    bool Load(const std::string& text)
    {
        Write("scenario.txt", text);
        return LoadGameFile("scenario.txt", world, message, sizeof message);
    }

    std::string Save(const std::string& name)
    {
        EXPECT_TRUE(SaveGameFile(name.c_str(), world, message, sizeof message)) << message;
        return support::ReadAll(support::gDataFolder + "/" + name);
    }

    static CCharacter* Find(int id) { return CRef<CCharacter>(CRZID(RZTYPE_CHARACTER, id)).Get(); }

    void ExpectNothingKept()
    {
        EXPECT_TRUE(server.IsEmpty());
        EXPECT_TRUE(server.dynasties.IsEmpty());
        EXPECT_TRUE(CRelations::GetInstance()->IsEmpty());
        for (int number = 0; number < static_cast<int>(kCountryTableSlots); ++number)
            ASSERT_EQ(CRZCountry::GetCountry(number), nullptr) << number;
    }

    CCharacterServer server;
    CGameScenarioWorld world { server };
    char message[1024] = {};
};

TEST_F(GameScenarioWorldTest, ScenarioIsReadLinkedAndSavedToTheSameBytesTwice)
{
    ASSERT_TRUE(Load(Scenario())) << message;
    ASSERT_EQ(server.GetSize(), 3);
    CCharacter* aldo = Find(1);
    CCharacter* berta = Find(2);
    CCharacter* carl = Find(3);
    ASSERT_TRUE(aldo && berta && carl);

    // Character fields as the record gives them.
    EXPECT_STREQ(aldo->GetName(), "Aldo");
    EXPECT_EQ(aldo->dynasty, CRZID(RZTYPE_DYNASTY, 7));
    EXPECT_EQ(aldo->birthDate, CDate(5, 1, 1070));
    EXPECT_EQ(aldo->GetBaseAttributes().GetMartial(), 5);
    EXPECT_EQ(aldo->GetBaseAttributes().GetStewardship(), 8);
    EXPECT_EQ(aldo->GetBaseAttributes().GetFertility(), 9);
    EXPECT_EQ(aldo->GetBaseAttributes().GetHealth(), 4);
    EXPECT_TRUE(aldo->HasTrait(TRAIT_BASTARD));
    EXPECT_STREQ(aldo->dna, "12334567890123");
    EXPECT_EQ(std::string(carl->dna), std::string(kDNALength, '9'));
    EXPECT_EQ(berta->gender, GENDER_FEMALE);
    EXPECT_EQ(berta->status, 1);
    EXPECT_EQ(berta->GetScore().GetGold(), 12.5f);
    EXPECT_EQ(carl->religion, RELIGION_ORTHODOX);
    EXPECT_EQ(carl->courtPosition, COURT_MARSHAL);

    // Links: children, relations, the dynasty's provinces, realms and their members.
    EXPECT_EQ(aldo->children.GetSize(), 1);
    EXPECT_EQ(berta->children.GetSize(), 1);
    EXPECT_EQ(aldo->GetSpouse().Get(), berta);
    EXPECT_EQ(aldo->relations.GetSize(), 2);
    ASSERT_EQ(server.dynasties.GetSize(), 1);
    EXPECT_EQ(CDynasty::GetRandomDynasty(2, server.dynasties), *server.dynasties.GetHead());
    CRZCountry* c001 = CRZCountry::GetCountry(1);
    ASSERT_NE(c001, nullptr);
    EXPECT_EQ(c001->ruler, aldo);
    EXPECT_EQ(c001->formOfGovernment, GOV_REPUBLIC);
    EXPECT_TRUE(c001->HasLaw(0));
    EXPECT_TRUE(c001->HasLaw(6));
    EXPECT_EQ(c001->startingVictoryPoints, 3.0f);
    EXPECT_EQ(c001->victoryPoints, 4.0f);
    EXPECT_EQ(c001->eventChances.GetSize(), 2);
    EXPECT_EQ(c001->GetRelation(1), 1.5f);
    EXPECT_EQ(c001->GetRelation(2), -2.0f);
    EXPECT_TRUE(c001->members.Contains(berta));
    EXPECT_TRUE(c001->court.Contains(berta));
    EXPECT_FALSE(c001->court.Contains(aldo));
    EXPECT_TRUE(CRZCountry::GetCountry(2)->members.Contains(carl));

    const std::string first = Save("first.rzg");
    world.DiscardLoad();
    ExpectNothingKept();
    ASSERT_TRUE(LoadGameFile("first.rzg", world, message, sizeof message)) << message;
    const std::string second = Save("second.rzg");
    EXPECT_EQ(first, second);
    EXPECT_NE(first.find("dna = \"12334567890123\""), std::string::npos) << first;
    EXPECT_NE(first.find("attributes = \"5.6.7.8.9.4\""), std::string::npos);
    // Only the ruler writes his loyalty; the others hold the full 1.0 and write none.
    EXPECT_NE(first.find("loyalty = 0.500"), std::string::npos);
    EXPECT_EQ(first.find("loyalty"), first.rfind("loyalty"));
    EXPECT_NE(first.find("status = yes"), std::string::npos);
}

struct CorruptCase {
    const char* what;
    std::string text;
    const char* message;
};

TEST_F(GameScenarioWorldTest, CorruptFilesAreRefusedWithTheirLocatedMessageAndLeaveNothing)
{
    const std::string good = Character(1, "name = \"A\" tag = C001") + "country = { tag = C001 }\n";
    const std::string culture = CRZCulture::GetTag(3);
    const CorruptCase cases[] = {
        { "unknown character key", good + Character(2, "colour = 5"),
            "unknown lhs in scenario file (character)" },
        { "unknown dynasty key", good + "dynasty = { id = 3 colour = 5 }",
            "unknown lhs in scenario file (dynasty)" },
        { "unknown relations key", good + "relations = { cousin = { } }",
            "unknown lhs in scenario file (relations)" },
        { "unknown relation key", good + "relations = { truce = { colour = 5 } }",
            "unknown lhs in scenario file (relation)" },
        { "unknown country key", good + "country = { tag = C002 colour = 5 }", "Country : Unexpected field" },
        { "1500 relation numbers",
            good + "country = { tag = C002 relation = { " +
                [] {
                    std::string numbers;
                    for (int i = 0; i < 1500; ++i)
                        numbers += "1 ";
                    return numbers;
                }()
                + "} }",
            "Country : Too many relations" },
        { "province 5000", good + "province = { id = 5000 }", "illegal province id" },
        { "dynasty province 5000", good + "dynasty = { id = 3 province = { 5000 } }",
            "Illegal province ID  5000" },
        { "controlled province 5000", good + "country = { tag = C002 controlledprovinces = { 3 5000 } }",
            "Illegal province ID  5000" },
        { "file cut inside a character", good + "character = { id = { type = 10 id = 2 } name = \"B\"",
            "end of file" },
        { "duplicate character id", good + Character(1, "name = \"Again\""), "duplicate character id" },
        { "parent cycle",
            good + Character(2, "father = { type = 10 id = 3 }")
                + Character(3, "father = { type = 10 id = 2 }") + "dynasty = { id = 3 }",
            "is his own ancestor" },
        { "his own father", good + Character(2, "father = { type = 10 id = 2 }") + "dynasty = { id = 3 }",
            "is his own ancestor" },
    };
    for (const CorruptCase& corrupt : cases) {
        SCOPED_TRACE(corrupt.what);
        EXPECT_FALSE(Load(corrupt.text));
        EXPECT_NE(std::string(message).find(corrupt.message), std::string::npos) << message;
        ExpectNothingKept();
    }
}

} // namespace
