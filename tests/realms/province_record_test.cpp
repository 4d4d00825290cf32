// The province's record in scenarios and saves: what a land province and a sea zone write, that it reads
// back whole, the renormalised privileges, untouched levies, and the unknown key that abandons the load.
#include <gtest/gtest.h>

#include <string>

#include "characters/culture.h"
#include "datalang/block_keywords.h"
#include "datalang/block_round_trip.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

// The province's block as a saved game holds it, read back as the file's reader does: the id by the
// reader, the rest by the province.
void ReadRecord(const CProvince& province, CProvince& result, std::string& written)
{
    written = WrittenBlock(province);
    support::ScratchFile file(written);
    CRZParser parser(file.Path(), "r");
    ASSERT_EQ(parser.ParseSimpleStatement(), 1) << written;
    ASSERT_EQ(parser.ParseSimpleStatement(), 1) << written;
    ASSERT_EQ(parser.key.type, static_cast<unsigned>(KW_ID)) << written;
    EXPECT_EQ(result.ParseFields(parser), 0) << written;
}

CProvince& Land(CProvince& p)
{
    p.number = 17;
    p.terrain = TERRAIN_HILLS;
    return p;
}

TEST(ProvinceRecord, ALandProvinceWritesItsPeopleAndReadsBackWhole)
{
    CProvince p;
    Land(p);
    p.religion = RELIGION_ORTHODOX;
    p.culture = CRZCulture::Which("english");
    p.loyalty = CStandsTuple(0.5f, 1.25f, 0.0f, 0.75f);
    p.privileges = CStandsTuple(0.1f, 0.2f, 0.3f, 0.4f);
    p.improvements.Add(3);
    p.improvements.Add(39);
    p.effects.Add(6);
    p.advances.Add(0);
    p.advances.Add(149);
    p.levyRegiment = CRZID(RZTYPE_DYNAMIC, 4711);
    p.occupation = 0.5f;
    p.currentLevy.Set(MILITIA, 120);
    p.maximumLevy.Set(ARCHERS, 300);
    p.construction = 40;
    p.constructionCost = CSimpleScore(50.0f, 1.0f, 0.0f);
    p.constructionStart.year = 1070;
    p.constructionDone.year = 1071;
    p.constructionDone.month = 3;

    CProvince back;
    Land(back);
    std::string text;
    ReadRecord(p, back, text);
    const std::string keys[] = { "id", "religion", "culture", "loyalty", "privileges", "improvements",
        "effects", "advances", "division", "occupied", "current_regiment_size", "maximum_regiment_size",
        "construction_cost", "start_construction_date", "under_construction", "completion_date" };
    std::size_t at = 0;
    for (const std::string& key : keys) {
        const std::size_t found = text.find(key + " =", at);
        ASSERT_NE(found, std::string::npos) << key << " in order in\n" << text;
        at = found;
    }
    EXPECT_NE(text.find("\"english\""), std::string::npos) << text;
    EXPECT_EQ(back.religion, RELIGION_ORTHODOX);
    EXPECT_EQ(back.culture, CRZCulture::Which("english"));
    EXPECT_NE(back.culture, 0);
    EXPECT_FLOAT_EQ(back.loyalty.GetBurghers(), 1.25f); // loyalty is taken as written
    EXPECT_FLOAT_EQ(back.privileges.GetNobles(), 0.4f);
    EXPECT_TRUE(back.improvements == p.improvements);
    EXPECT_TRUE(back.effects == p.effects);
    EXPECT_TRUE(back.advances == p.advances);
    EXPECT_EQ(back.levyRegiment, p.levyRegiment);
    EXPECT_FLOAT_EQ(back.occupation, 0.5f);
    EXPECT_TRUE(back.currentLevy == p.currentLevy);
    EXPECT_FLOAT_EQ(back.manpowerTotal, 120.0f);
    EXPECT_TRUE(back.maximumLevy == p.maximumLevy);
    EXPECT_EQ(back.construction, 40);
    EXPECT_FLOAT_EQ(back.constructionCost.GetGold(), 50.0f);
    EXPECT_EQ(back.constructionStart.year, 1070);
    EXPECT_EQ(back.constructionDone.month, 3);
}

TEST(ProvinceRecord, ASeaZoneWritesOnlyItsIdAndWhatIsSet)
{
    CProvince sea;
    sea.number = 600;
    sea.terrain = TERRAIN_OCEAN;
    EXPECT_EQ(WrittenBlock(sea), "key = { id = 600 } ");

    sea.occupation = 0.25f;
    sea.maximumLevy.Set(HEAVY_CAVALRY, 10);
    const std::string text = WrittenBlock(sea);
    EXPECT_NE(text.find("occupied"), std::string::npos) << text;
    EXPECT_NE(text.find("maximum_regiment_size"), std::string::npos) << text;
    for (const char* absent : { "religion", "culture", "loyalty", "privileges", "improvements", "effects",
             "advances", "division", "current_regiment_size", "construction" })
        EXPECT_EQ(text.find(absent), std::string::npos) << absent << " in\n" << text;
}

TEST(ProvinceRecord, PrivilegesAreRenormalisedAndLeviesLeftOutStayAsTheyWere)
{
    CProvince p;
    Land(p);
    p.currentLevy.Set(PIKEMEN, 40);
    p.maximumLevy.Set(PIKEMEN, 80);
    EXPECT_EQ(ReadBlock(p,
                  "privileges = { peasants = 1 burghers = 1 clergy = 1 nobles = 1 }\n"
                  "culture = \"no such culture\" under_construction = no_such_building\n"
                  "occupied = 7 privileges = { peasants = 3 burghers = 1 clergy = 0 nobles = 0 } }"),
        0);
    EXPECT_FLOAT_EQ(p.privileges.GetPeasants(), 0.75f); // the last block wins, renormalised
    EXPECT_FLOAT_EQ(p.privileges.GetBurghers(), 0.25f);
    EXPECT_EQ(p.culture, 0);
    EXPECT_EQ(p.construction, kNoImprovement);
    EXPECT_FLOAT_EQ(p.occupation, 1.0f); // progress never leaves 0..1
    EXPECT_EQ(p.currentLevy.Get(PIKEMEN), 40);
    EXPECT_EQ(p.maximumLevy.Get(PIKEMEN), 80);

    CProvince all;
    Land(all);
    EXPECT_EQ(ReadBlock(all, "privileges = { peasants = 1 burghers = 1 clergy = 1 nobles = 1 } }"), 0);
    for (int estate = 0; estate < CStandsTuple::COUNT; ++estate)
        EXPECT_FLOAT_EQ(all.privileges.Get(estate), 0.25f);
}

TEST(ProvinceRecord, AnUnknownKeyOrAMissingBlockAbandonsTheLoad)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "religion = catholic owner = ABYD }", "Province : Unexpected field" },
        { "id = 4 }", "Province : Unexpected field" },
        { "loyalty = 3 }", "Province : Unexpected field" },
        { "division = { colour = 2 } }", "Province : Bad division" },
        { "culture = \"english\" ", "" },
    };
    for (const auto& c : cases) {
        CProvince p;
        Land(p);
        const std::string message = FatalMessageOf([&] { ReadBlock(p, c.text); });
        EXPECT_NE(message, "") << c.text;
        if (*c.message) {
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
    }
}

} // namespace
