// Province improvements: the rules and pictures files read into one table, requirement chains, the
// construction text and the improvement sets of provinces.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "datalang/block_round_trip.h"
#include "datalang/definition_file.h"
#include "events/generic_events.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "realm_land.h"
#include "realms/province_improvement.h"
#include "realms/text_keys.h"
#include "support/data_folder.h"
#include "support/scratch.h"
#include "widgets/button.h"
#include "widgets/input.h"

#include "foundation/safeguards.h"

namespace {

const char* const kRules = "school = { cost = { gold = 120 } construction_time = 6 }\n"
                           "library = {\n"
                           "  required_province_improvements = { school = yes }\n"
                           "  required_advances = { monastic_schools = yes }\n"
                           "  lasting_effects = { tolls = 1.1 }\n"
                           "  hills = no plains = no march = no desert = yes\n"
                           "  require_coastal = yes require_capital = yes upgradeable = yes\n"
                           "  required_tier = duchy minimum_income = 2.5\n"
                           "}\n"
                           "university = { required_province_improvements = { library = yes } }\n"
                           "church = { lasting_effects = { tolls = 0.5 } onetime_bonus = { piety = 2 }\n"
                           "  onetime_loyalty_bonus = { clergy = 3 } }\n";
const char* const kPictures = "library = { x_offset = 12 y_offset = -4\n"
                              "  completed_bitmap = \"gfx\\interface\\pi_library.bmp\" }\n";

// Loads both files from text; "" when they loaded, else the report.
std::string LoadBoth(const std::string& rules, const std::string& pictures)
{
    support::ScratchFile second(pictures);
    return LoadFailure(
        [&](const char* path) { return CProvinceImprovementType::InitFromFiles(path, second.Path()); },
        rules);
}

class Improvements : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadBoth(kRules, kPictures), ""); }
    void TearDown() override { CProvinceImprovementType::Shutdown(); }
};

TEST(ImprovementKeys, KeywordsAndTokensBothWays)
{
    EXPECT_EQ(GetProvinceImprovementType(TokenOf("mine")), 8);
    EXPECT_EQ(GetProvinceImprovementType(TokenOf("huge_castle")), 43);
    EXPECT_EQ(GetProvinceImprovementType(TokenOf("sheep")), kImprovementCount);
    EXPECT_EQ(GetTokenType(8), TokenOf("mine"));
    EXPECT_EQ(GetTokenType(44), KW_YES);
    EXPECT_TRUE(CProvinceImprovementType::IsNegative(37));
    EXPECT_FALSE(CProvinceImprovementType::IsNegative(39));
}

TEST_F(Improvements, BothFilesFillTheSameRecords)
{
    const CProvinceImprovementType* library = CProvinceImprovementType::Get(18);
    EXPECT_TRUE(library->GetRequiredImprovements().Exists(19));
    EXPECT_TRUE(library->GetRequiredAdvances().Exists(121));
    EXPECT_FALSE(library->IsAllowedOnTerrain(1));
    EXPECT_FALSE(library->IsAllowedOnTerrain(2));
    EXPECT_FALSE(library->IsAllowedOnTerrain(4));
    EXPECT_TRUE(library->IsAllowedOnTerrain(5));
    EXPECT_TRUE(library->IsAllowedOnTerrain(8));
    EXPECT_FALSE(library->IsAllowedOnTerrain(9));
    EXPECT_TRUE(library->RequiresCoastal() && library->RequiresCapital() && library->IsUpgradeable());
    EXPECT_EQ(library->GetRequiredTier(), TokenOf("duchy"));
    EXPECT_FLOAT_EQ(library->GetMinimumIncome(), 2.5f);
    EXPECT_EQ(library->GetXOffset(), 12);
    EXPECT_EQ(library->GetYOffset(), -4);
    EXPECT_STREQ(library->GetCompletedBitmap(), "gfx\\interface\\pi_library.bmp");
    EXPECT_STREQ(library->GetPossibleBitmap(), "");
    EXPECT_EQ(CProvinceImprovementType::Get(0)->GetRequiredTier(), TokenOf("county"));
}

TEST_F(Improvements, IndirectRequirementsFollowTheChains)
{
    const CProvinceImprovementTuple indirect = CProvinceImprovementType::Get(22)->GetIndirectRequirements();
    EXPECT_TRUE(indirect.Exists(18));
    EXPECT_TRUE(indirect.Exists(19));
    EXPECT_FALSE(indirect.Exists(22));
    CProvinceImprovementTuple built;
    built.Add(22);
    EXPECT_TRUE(CProvinceImprovementType::Get(19)->IsIndirectRequirementForAnyOfThese(built));
    EXPECT_FALSE(CProvinceImprovementType::Get(26)->IsIndirectRequirementForAnyOfThese(built));
}

TEST_F(Improvements, ModifiersAndTheConstructionText)
{
    CProvinceImprovementTuple built;
    EXPECT_FLOAT_EQ(built.GetModifier().tollsFactor, 1.0f);
    built.Add(18);
    built.Add(26);
    EXPECT_FLOAT_EQ(built.GetModifier().tollsFactor, 0.55f);

    PutTexts({ { "GOLD_COST", "Cost" }, { "CONSTRUCTION_TIME", "Time" }, { "MONTHS", "months" },
        { "PIETY_COMPLETION_BONUS", "Piety" }, { "CLERGY_LOYALTY_COMPLETION_BONUS", "Clergy" } });
    CModifier province;
    province.buildTimeFactor = 0.75f;
    EXPECT_STREQ(CProvinceImprovementType::Get(19)->GetConstructionDescription(province),
        "Cost 120\nTime 4 months\n\n");
    EXPECT_EQ(province.GetProvinceImprovementBuildTimeInMonths(*CProvinceImprovementType::Get(19)), 4);
    EXPECT_FLOAT_EQ(province.GetProvinceImprovementCost(*CProvinceImprovementType::Get(19))
                        .Get(VLST_CONSTRUCTION)
                        .GetGold(),
        120.0f);
    const std::string church = CProvinceImprovementType::Get(26)->GetConstructionDescription(CModifier());
    EXPECT_NE(church.find("Piety 2\nClergy 3\n"), std::string::npos) << church;
    province.buildTimeFactor = 1e30f;
    EXPECT_EQ(province.GetProvinceImprovementBuildTimeInMonths(*CProvinceImprovementType::Get(19)), INT_MAX);
}

// A desert coast province of income 10, content estates and the county realm 5 as owner, whose steward
// ruler keeps all gold.
class ImprovementsInAProvince : public Improvements, public CRealmLand {
protected:
    void SetUp() override
    {
        Improvements::SetUp();
        ClearCountryControl();
        CRZCountry::ConstructCountry(5);
        realm = CRZCountry::_pCountry[5];
        Ruler(realm)->SetBaseAttributes(CAttributeTuple(0, 0, 0, 10, 0, 0));
        province = Land(40, realm, 0, 0, TERRAIN_DESERT);
        province->loyalty = CStandsTuple(1.0f, 1.0f, 1.0f, 1.0f);
        province->coastal = true;
        province->improvements.Add(19);
        province->advances.Add(121);
        realm->capital = 40;
    }
    void TearDown() override
    {
        CRZCountry::DeleteAll();
        Improvements::TearDown();
    }
    float Gold() const { return province->GetModifier().GetProvinceMonthlyScore(*province).GetGold(); }

    CRZCountry* realm = nullptr;
    CProvince* province = nullptr;
};

TEST_F(ImprovementsInAProvince, MonthlyRevenueFollowsTheOwnersRatesDemesneAndStewardship)
{
    // Taxes 5, 3, 1, 1 at census, tolls and crown duty of a half; the clergy's tenth is whole.
    CCompositeScore score = province->GetModifier().GetProvinceMonthlyScore(*province);
    EXPECT_FLOAT_EQ(score.Get(VLST_TAX_PEASANTS).GetGold(), 2.5f);
    EXPECT_FLOAT_EQ(score.Get(VLST_TAX_BURGHERS).GetGold(), 1.5f);
    EXPECT_FLOAT_EQ(score.Get(VLST_TAX_CLERGY).GetGold(), 1.0f);
    EXPECT_FLOAT_EQ(score.Get(VLST_TAX_NOBLES).GetGold(), 0.5f);

    CModifier rich;
    rich.tollsFactor = 2.0f;
    rich.scoreFactor = CSimpleScore(2.0f, 1.0f, 1.0f);
    rich.periodicScore = CSimpleScore(1.0f, 0.5f, 0.0f);
    rich.demesne = 5.0f; // a share past the whole counts as the whole
    score = rich.GetProvinceMonthlyScore(*province);
    EXPECT_FLOAT_EQ(score.Get(VLST_TAX_BURGHERS).GetGold(), 6.0f);
    EXPECT_FLOAT_EQ(score.Get(VLST_BUILDINGS).GetPrestige(), 0.5f);
    EXPECT_FLOAT_EQ(score.GetGold(), 2.0f * (2.5f + 3.0f + 1.0f + 0.5f) + 1.0f);

    rich.demesne = -5.0f; // nothing kept but the buildings' own score
    EXPECT_FLOAT_EQ(rich.GetProvinceMonthlyScore(*province).GetGold(), 1.0f);
    realm->ruler->attributes = CAttributeTuple(0, 0, 0, 0, 0, 0); // half the gold without stewardship
    EXPECT_FLOAT_EQ(Gold(), 2.75f);

    // Without an owner only the periodic score is left.
    province->countyTitle = nullptr;
    CTitle::GetTitle(40)->SetNewHolder(nullptr);
    score = rich.GetProvinceMonthlyScore(*province);
    EXPECT_FLOAT_EQ(score.GetGold(), 1.0f);
    EXPECT_FLOAT_EQ(score.Get(VLST_BUILDINGS).GetGold(), 1.0f);
}

TEST_F(ImprovementsInAProvince, RequirementsTakeIncomeBuildingsAdvancesCoastCapitalAndTerrain)
{
    const CProvinceImprovementType* library = CProvinceImprovementType::Get(18);
    EXPECT_TRUE(library->HasRequirements(realm, *province));
    struct Case {
        const char* what;
        void (*spoil)(CProvince&, CRZCountry&);
    };
    const Case cases[] = {
        { "no school", [](CProvince& p, CRZCountry&) { p.improvements.Remove(19); } },
        { "no advance", [](CProvince& p, CRZCountry&) { p.advances.Remove(121); } },
        { "inland", [](CProvince& p, CRZCountry&) { p.coastal = false; } },
        { "not the capital", [](CProvince&, CRZCountry& r) { r.capital = 41; } },
        { "plains", [](CProvince& p, CRZCountry&) { p.terrain = TERRAIN_PLAINS; } },
        { "poor", [](CProvince& p, CRZCountry&) { p.baseIncome = 1.0f; } },
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        library = CProvinceImprovementType::Get(18);
        c.spoil(*province, *realm);
        EXPECT_FALSE(library->HasRequirements(realm, *province)) << c.what;
    }
}

TEST_F(ImprovementsInAProvince, AMinimumIncomeEqualToTheMonthlyGoldIsNotEnough)
{
    char rules[128];
    std::snprintf(rules, sizeof rules, "school = { minimum_income = %.9g }\n", static_cast<double>(Gold()));
    ASSERT_EQ(LoadBoth(rules, ""), "");
    EXPECT_FALSE(CProvinceImprovementType::Get(19)->HasRequirements(realm, *province));
    std::snprintf(
        rules, sizeof rules, "school = { minimum_income = %.9g }\n", static_cast<double>(Gold()) - 0.01);
    ASSERT_EQ(LoadBoth(rules, ""), "");
    EXPECT_TRUE(CProvinceImprovementType::Get(19)->HasRequirements(realm, *province));
}

TEST(ImprovementSet, SavesInNumberOrderAndReadsNoAsAbsent)
{
    CProvinceImprovementTuple built;
    built.Add(26);
    built.Add(8);
    CProvinceImprovementTuple back;
    std::string written;
    ReadBack(built, back, &written);
    EXPECT_EQ(back, built);
    EXPECT_LT(written.find("mine = yes"), written.find("church = yes")) << written;
    EXPECT_EQ(ReadBlock(back, "church = no }"), 0);
    EXPECT_FALSE(back.Exists(26));
    EXPECT_TRUE(back.Exists(8));
    EXPECT_NE(
        FatalMessageOf([&] { ReadBlock(back, "sheep = yes }"); }).find("(Unknown )"), std::string::npos);
}

TEST(ImprovementFiles, BrokenFilesAreRefusedWithTheirLineAndLeaveTheTableAsItWas)
{
    ASSERT_EQ(LoadBoth("mine = { construction_time = 7 }\n", ""), "");
    const struct {
        const char* rules;
        const char* pictures;
        const char* message;
    } cases[] = {
        { "mine = { }\nsheep = { }\n", "", "(unknown lhs in provinceimprovement file)" },
        { "mine = {\n  tolls = 1 }\n", "", "(unknown lhs in provinceimprovement file)" },
        { "mine = { required_tier = empire }\n", "", "(unknown tier in provinceimprovement file)" },
        { "mine = { required_province_improvements = { mine = yes } }\n", "",
            "(improvement requires itself in provinceimprovement file)" },
        { "school = { required_province_improvements = { library = yes } }\n"
          "mine = { }\nlibrary = { required_province_improvements = { school = yes } }\n",
            "", "(improvement requires itself in provinceimprovement file)" },
        { "school = { required_province_improvements = { library = yes } }\n",
            "library = { required_province_improvements = { university = yes } }\n"
            "university = { required_province_improvements = { school = yes } }\n",
            "(improvement requires itself in provinceimprovement file)" },
        { "mine = { }\n", "mine = { x_offset = 1 depth = 2 }\n",
            "(unknown lhs in provinceimprovement file)" },
        { "mine = { required_advances = { mine = yes } }\n", "", "(Unknown )" },
    };
    for (const auto& c : cases) {
        const std::string failure = LoadBoth(c.rules, c.pictures);
        EXPECT_NE(failure.find(c.message), std::string::npos) << c.rules << failure;
        EXPECT_NE(failure.find("Line = "), std::string::npos) << failure;
        EXPECT_FLOAT_EQ(CProvinceImprovementType::Get(8)->GetConstructionTime(), 7.0f) << c.rules;
    }
    CProvinceImprovementType::Shutdown();
}

// The pictures of improvements on a headless display: solid pictures written into the data folder, drawn
// into a screen of their own.
class ImprovementPictures : public fixture::GfxFileTest {
protected:
    void SetUp() override
    {
        GfxFileTest::SetUp();
        CVideo::pBackBuffer = &screen;
        CInput::_isLeftButton = 0;
        InstallImprovementButtonHooks();
    }
    void TearDown() override
    {
        CProvinceImprovementType::Shutdown();
        gImprovementButtonHooks = {};
        CVideo::pBackBuffer = nullptr;
        GfxFileTest::TearDown();
    }
    // A picture of one opaque colour (no keyed pixel), so every pixel of its rectangle is hit.
    static void WriteSolid(const std::string& name, int width, int height)
    {
        fixture::Bmp bmp;
        bmp.width = width;
        bmp.height = height;
        bmp.bits = 16;
        bmp.table = false;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                fixture::Put16(bmp.pixels, 0x1234);
            bmp.pixels.append(static_cast<std::size_t>((4 - width * 2 % 4) % 4), '\0');
        }
        fixture::WriteFile(name, fixture::Bytes(bmp));
    }

    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 320, 240, 16, IMAGE_SYSTEM };
};

TEST_F(ImprovementPictures, UpgradesOverlapOnlyPicturesThatShareAPixel)
{
    WriteSolid("gfx/castle.bmp", 16, 16);
    // The small castle is upgradeable and sits at 0,0; the others lie around it.
    ASSERT_EQ(LoadBoth("small_castle = { upgradeable = yes }\n", //
                  "small_castle = { completed_bitmap = \"gfx\\castle.bmp\" }\n"
                  "medium_castle = { x_offset = 15 y_offset = 15 completed_bitmap = \"gfx\\castle.bmp\" }\n"
                  "large_castle = { x_offset = 16 completed_bitmap = \"gfx\\castle.bmp\" }\n"
                  "huge_castle = { y_offset = -16 completed_bitmap = \"gfx\\castle.bmp\" }\n"
                  "hill_fort = { completed_bitmap = \"gfx\\castle.bmp\" }\n"),
        "");
    const CProvinceImprovementType* small = CProvinceImprovementType::Get(40);
    const struct {
        const char* what;
        std::vector<int> held;
        bool overlaps;
    } cases[] = {
        { "a corner pixel shared", { 41 }, true },
        { "side by side", { 42 }, false },
        { "one above the other", { 43 }, false },
        { "one without a picture", { 8 }, false },
        { "only itself", { 40 }, false },
        { "nothing", {}, false },
        { "among others", { 42, 8, 41 }, true },
    };
    for (const auto& c : cases) {
        CProvinceImprovementTuple held;
        for (int number : c.held)
            held.Add(number);
        EXPECT_EQ(small->HasOverlappingGfxWithAnyOfThese(held), c.overlaps) << c.what;
    }
    CProvinceImprovementTuple fort;
    fort.Add(40);
    EXPECT_FALSE(CProvinceImprovementType::Get(39)->HasOverlappingGfxWithAnyOfThese(fort))
        << "a type that is not upgradeable overlaps nothing";
}

TEST_F(ImprovementPictures, TheScaffoldIsCentredOnTheBuildingAndTheButtonOffersIt)
{
    WriteSolid("gfx/school.bmp", 16, 16);
    WriteSolid("gfx/interface/BDG_UC.bmp", 19, 20);
    WriteSolid("gfx/offer.bmp", 8, 8);
    ASSERT_EQ(LoadBoth("",
                  "school = { x_offset = 12 y_offset = -4 completed_bitmap = \"gfx\\school.bmp\"\n"
                  "  possible_bitmap = \"gfx\\offer.bmp\" }\n"
                  "mine = { completed_bitmap = \"gfx\\school.bmp\" }\n"),
        "");
    const CProvinceImprovementType* school = CProvinceImprovementType::Get(19);
    // At 100,50 the building covers 112..127 by 46..61; the wider scaffold starts (16 - 19) / 2 = -1 and
    // (16 - 20) / 2 = -2 from it, halves cut toward zero.
    school->DrawUnderConstruction(CPoint(100, 50));
    EXPECT_TRUE(school->WithinConstruction(111, 44));
    EXPECT_TRUE(school->WithinConstruction(129, 63));
    EXPECT_FALSE(school->WithinConstruction(110, 50));
    EXPECT_FALSE(school->WithinConstruction(111, 43));
    EXPECT_FALSE(school->WithinConstruction(130, 50));

    // The button is drawn at the same place and answers a click on it; disabled, it is not pressed.
    school->DrawCompleted(CPoint(100, 50));
    school->DrawPossible(CPoint(100, 50));
    EXPECT_TRUE(school->Within(119, 53)) << "on the button and the building";
    EXPECT_TRUE(school->Within(125, 58)) << "on the building only";
    EXPECT_FALSE(school->Within(111, 53));
    CRZInputEvent down(_CRZEVT_MOUSELBDOWN_, 0, 0, CPoint(113, 47));
    school->DisableConstruction();
    school->Update(&down);
    EXPECT_FALSE(school->IsPressed());
    school->EnableConstruction();
    EXPECT_EQ(school->Update(&down), 3);
    EXPECT_TRUE(school->IsPressed());

    // Without a button nothing is offered or hit, and the building alone is no reason to be.
    const CProvinceImprovementType* mine = CProvinceImprovementType::Get(8);
    mine->DrawCompleted(CPoint(0, 0));
    EXPECT_FALSE(mine->Within(1, 1));
    EXPECT_EQ(mine->Update(&down), 0);
    EXPECT_FALSE(mine->IsPressed());
    // Without a picture nothing is drawn or hit.
    const CProvinceImprovementType* mill = CProvinceImprovementType::Get(10);
    mill->DrawUnderConstruction(CPoint(0, 0));
    EXPECT_FALSE(mill->WithinConstruction(1, 1));
}

} // namespace
