// Portraits and coats of arms drawn from the generator's pictures: how a DNA reads, which frames and strip
// set it picks (compared by image hash), strips that are missing or narrower than a frame, a character's
// generic face and overlays, and the arms' frame and mask by tier, people and faith.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "characters/character.h"
#include "characters/coat_of_arms.h"
#include "characters/papacy.h"
#include "characters/portrait.h"
#include "characters/title.h"
#include "events/game_clock.h"
#include "foundation/identity.h"
#include "gfx/bitmap_bytes.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

constexpr int kLight = 1; // a light culture
constexpr int kDark = 33; // turkish, drawn dark
constexpr int kTurkish = 33;
constexpr int kPersian = 35;

// FNV-1a over the 16-bit pixels of a 128 by 128 image.
std::uint64_t Hash(CImage* image)
{
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            h = (h ^ video_test::Pixel16(image, x, y)) * 1099511628211ull;
    return h;
}

std::uint64_t FaceHash(const char* dna, int gender, int culture)
{
    CPortrait portrait(dna, gender, static_cast<RZCultureType>(culture));
    return Hash(portrait.GetImage());
}

// The sprites drawn one after another at (0, 0) into a fresh 128 by 128 image: what composing must give.
template <class... Frames> std::uint64_t ComposedHash(std::pair<CSprite*, int> first, Frames... rest)
{
    CImage image(128, 128, 16, IMAGE_SYSTEM);
    image.Clear();
    for (auto [sprite, frame] : { first, rest... }) {
        sprite->SetFrame(frame);
        sprite->MoveTo(0, 0);
        sprite->SetClippingArea(0, 0, 128, 128);
        sprite->SetDestinationImage(&image);
        sprite->Draw(CRZDrawType {});
    }
    return Hash(&image);
}

class PortraitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(video_test::GenerateTinyData(5)) << "the data generator is built beside the tests";
    }
    void SetUp() override
    {
        video = std::make_unique<video_test::ScopedHeadlessVideo>(640, 480);
        ASSERT_TRUE(video->ok());
        ASSERT_TRUE(CCountryDB::Init());
        ASSERT_TRUE(CPortrait::InitDB());
        ASSERT_TRUE(CCoatOfArms::InitDB());
    }
    void TearDown() override
    {
        CCoatOfArms::ShutdownDB();
        CPortrait::ShutdownDB();
        video.reset();
    }
    std::unique_ptr<video_test::ScopedHeadlessVideo> video;
};

TEST(PortraitDNA, ReadsShortAndBrokenDNAAndPicksSetAndFrame)
{
    char complete[15];
    CPortraitDNA::CompleteDNA("", complete);
    EXPECT_STREQ(complete, "01020304050607");
    CPortraitDNA::CompleteDNA(nullptr, complete);
    EXPECT_STREQ(complete, "01020304050607");
    CPortraitDNA::CompleteDNA("9912", complete);
    EXPECT_STREQ(complete, "99120304050607");
    CPortraitDNA::CompleteDNA("a7x?0304050607ZZZ", complete);
    EXPECT_STREQ(complete, "a7x?0304050607");
    EXPECT_EQ(CPortraitDNA::GetPair(complete, LAYER_HEADS), 7); // a letter counts as 0
    EXPECT_EQ(CPortraitDNA::GetPair(complete, LAYER_EYES), 0);
    EXPECT_EQ(CPortraitDNA::GetPair(complete, LAYER_MISC), 7);

    const struct {
        int pair, frames, frame;
    } kFrames[] = { { 99, 40, 19 }, { 39, 40, 39 }, { 40, 40, 0 }, { 7, 10, 7 }, { 12, 1, 0 }, { 5, 0, -1 },
        { 5, -3, -1 } };
    for (const auto& c : kFrames)
        EXPECT_EQ(CPortraitDNA::SelectFrame(c.pair, c.frames), c.frame) << c.pair << " of " << c.frames;

    EXPECT_EQ(CPortraitDNA::ChooseSet(0, kLight), 0);
    EXPECT_EQ(CPortraitDNA::ChooseSet(1, kLight), 1);
    EXPECT_EQ(CPortraitDNA::ChooseSet(0, kDark), 2);
    EXPECT_EQ(CPortraitDNA::ChooseSet(1, kDark), 3);
    EXPECT_EQ(CPortraitDNA::ChooseSet(1, 36), 3);
    EXPECT_EQ(CPortraitDNA::ChooseSet(0, 37), 0);
}

TEST(PortraitDNA, MergeIsTheClassesAndKeepsItsDigits)
{
    char a[15], b[15];
    CPortrait::MergeDNA(a, "11111111111111", "22222222222222", 77);
    CPortraitDNA::MergeDNA(b, "11111111111111", "22222222222222", 77);
    EXPECT_STREQ(a, b);
    EXPECT_EQ(std::string(a).size(), 14u);

    // A child's pairs come whole from one parent, the second about 48 times in 100, the first 48, a new
    // pair 4; the same seed gives the same child on every machine.
    int fromFirst = 0, fromSecond = 0, fresh = 0;
    for (int seed = 0; seed < 1000; ++seed) {
        char child[15], again[15];
        CPortraitDNA::MergeDNA(child, "11111111111111", "22222222222222", seed);
        CPortraitDNA::MergeDNA(again, "11111111111111", "22222222222222", seed);
        ASSERT_STREQ(child, again) << seed;
        for (int pair = 0; pair < kPortraitLayers; ++pair) {
            const std::string digits(child + 2 * pair, 2);
            ASSERT_TRUE(std::isdigit(static_cast<unsigned char>(digits[0]))
                && std::isdigit(static_cast<unsigned char>(digits[1])))
                << child;
            ++(digits == "11" ? fromFirst : digits == "22" ? fromSecond : fresh);
        }
    }
    EXPECT_NEAR(fromSecond / 7000.0, 0.48, 0.03);
    EXPECT_NEAR(fromFirst / 7000.0, 0.48, 0.03);
    EXPECT_NEAR(fresh / 7000.0, 0.04 * 0.98, 0.015);
}

TEST_F(PortraitTest, FacesComposeTheFramesTheirDNAPicks)
{
    ASSERT_EQ(CPortrait::GetLayerFrames(LAYER_HEADS, 0), 40);
    // An empty DNA is the default face.
    EXPECT_EQ(FaceHash("", 0, kLight), FaceHash("01020304050607", 0, kLight));
    // "99" on the heads' 40 frames is frame 19; frame 18 looks different.
    EXPECT_EQ(FaceHash("99020304050607", 0, kLight), FaceHash("19020304050607", 0, kLight));
    EXPECT_NE(FaceHash("99020304050607", 0, kLight), FaceHash("18020304050607", 0, kLight));
    // Letters count as 0.
    EXPECT_EQ(FaceHash("0x0a0304050607", 1, kLight), FaceHash("00000304050607", 1, kLight));

    // A dark woman is drawn from set 3, layer by layer.
    const char dna[] = "05030207110104";
    const std::uint64_t expected = ComposedHash(std::pair { CPortrait::_pHeads[3], 5 },
        std::pair { CPortrait::_pEyes[3], 3 }, std::pair { CPortrait::_pNoses[3], 2 },
        std::pair { CPortrait::_pMouths[3], 7 }, std::pair { CPortrait::_pHairs[3], 11 },
        std::pair { CPortrait::_pEars[3], 1 }, std::pair { CPortrait::_pMisc[3], 4 });
    EXPECT_EQ(FaceHash(dna, 1, kDark), expected);
    EXPECT_NE(FaceHash(dna, 0, kDark), expected);
    EXPECT_NE(FaceHash(dna, 1, kLight), expected);
}

// A strip narrower than a frame, or missing, has no frames: its layer is left out, nothing divides by
// its count, and the rest of the face is drawn.
TEST_F(PortraitTest, StripWithoutFramesIsLeftOut)
{
    const fs::path folder = fs::path(support::gDataFolder) / "gfx" / "portraits";
    const fs::path eyes = folder / "testface_eyes.bmp", noses = folder / "testface_noses.bmp";
    fs::copy_file(eyes, folder / "eyes.keep", fs::copy_options::overwrite_existing);
    fs::copy_file(noses, folder / "noses.keep", fs::copy_options::overwrite_existing);
    const std::uint64_t whole = FaceHash("", 0, kLight);
    CPortrait::ShutdownDB();
    fixture::Bmp narrow;
    narrow.width = 100;
    narrow.height = 128;
    narrow.pixels.assign(100 * 128, '\x05');
    std::ofstream(eyes, std::ios::binary) << fixture::Bytes(narrow);
    fs::remove(noses);
    CPortrait::InitDB();
    fs::rename(folder / "eyes.keep", eyes);
    fs::rename(folder / "noses.keep", noses);

    EXPECT_EQ(CPortrait::GetLayerFrames(LAYER_EYES, 0), 0);
    EXPECT_EQ(CPortrait::GetLayerFrames(LAYER_NOSES, 0), 0);
    EXPECT_EQ(CPortrait::GetLayerFrames(LAYER_EYES, 1), 12);
    const std::uint64_t withoutEyes = FaceHash("99999999999999", 0, kLight);
    const std::uint64_t expected = ComposedHash(std::pair { CPortrait::_pHeads[0], 19 },
        std::pair { CPortrait::_pMouths[0], 9 }, std::pair { CPortrait::_pHairs[0], 3 },
        std::pair { CPortrait::_pEars[0], 3 }, std::pair { CPortrait::_pMisc[0], 3 });
    EXPECT_EQ(withoutEyes, expected);
    EXPECT_NE(FaceHash("", 0, kLight), whole);
}

TEST_F(PortraitTest, ChildGetsTheGenericFaceAndTheOverlaysOfHisState)
{
    CIdentity::TotalInit(NOID, 0);
    {
        CCharacter child;
        child.Create(CRZID(RZTYPE_CHARACTER, 1));
        child.SetName("Agnes");
        child.courtPosition = COURT_MARSHAL;
        child.conceptionDate.year = 1066;
        CPortrait portrait(&child);
        EXPECT_EQ(Hash(portrait.GetImage()), ComposedHash(std::pair { CPortrait::_pGenericBoy, 0 }));
        for (int overlay = 0; overlay < kPortraitOverlays; ++overlay)
            EXPECT_EQ(portrait.IsOverlayOn(overlay),
                overlay == OVERLAY_FRAME_NO_TITLE || overlay == OVERLAY_MARSHAL
                    || overlay == OVERLAY_PREGNANT)
                << overlay;
        EXPECT_EQ(portrait.GetCharacter(), &child);
        EXPECT_STREQ(portrait.GetWindowInstantRollover(CPoint()), "Agnes");

        // The overlays are drawn where the button is, and hit where they show.
        CImage screen(256, 256, 16, IMAGE_SYSTEM);
        screen.Fill16Bit(0);
        portrait.SetDestinationImage(&screen);
        portrait.SetClippingArea(0, 0, 256, 256);
        portrait.MoveTo(64, 64);
        portrait.Draw(CRZDrawType {});
        EXPECT_NE(video_test::Pixel16(&screen, 64, 64), 0); // the no-title frame's edge
        EXPECT_EQ(video_test::Pixel16(&screen, 63, 63), 0);
        EXPECT_TRUE(portrait.Within(64 + 108, 64 + 108)); // the marshal's emblem
    }
    CIdentity::TotalCleanup();
}

// A papacy that only names its controller.
struct ControlledPapacy : CPapacy {
    int ParseFields(CRZParser&) override { return 0; }
    CLScript* GetScript() const override { return nullptr; }
};

// Grown characters are drawn from their own DNA; the frame follows the tier of the primary title, and the
// papal controller, the local ruler's kin and each office have their overlay.
TEST_F(PortraitTest, GrownCharactersShowTheirFaceRankOfficeChurchAndKin)
{
    CIdentity::TotalInit(NOID, 0);
    ClearCountryControl();
    CTitle::ConstructAll();
    gpTimer = new CRZTimer(15);
    gpTimer->SetDate(CDate(0, 0, 1100));
    ControlledPapacy papacy;
    CPapacy::SetInstance(&papacy);
    {
        std::vector<std::unique_ptr<CCharacter>> people;
        const auto person = [&](int title, int position, int dynasty) {
            people.push_back(std::make_unique<CCharacter>());
            CCharacter& one = *people.back();
            one.Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(people.size())));
            one.birthDate = CDate(0, 0, 1060);
            one.courtPosition = position;
            one.dynasty = dynasty != 0 ? CRZID(RZTYPE_DYNASTY, static_cast<uint32_t>(dynasty)) : NOID;
            if (title != 0)
                CTitle::GetTitle(title)->SetNewHolder(&one);
            return &one;
        };
        CCharacter* king = person(1300, COURT_COURTIER, 7);
        CRZCountry::ConstructCountry(1300);
        CRZCountry::GetCountry(1300)->AddRulerImmidiatly(king);
        gCountryControl[1300] = CONTROL_LOCAL_PLAYER;

        CCharacter* duke = person(1100, COURT_COURTIER, 8);
        std::snprintf(duke->dna, sizeof duke->dna, "%s", "05030207110104");
        duke->gender = 1;
        duke->culture = kDark;
        papacy.controller = duke->GetID();
        const struct {
            CCharacter* who;
            std::vector<int> on;
        } kCases[] = {
            { king, { OVERLAY_FRAME_KINGDOM, OVERLAY_DYNASTY } },
            { duke, { OVERLAY_FRAME_DUCHY, OVERLAY_PAPAL_CONTROLLER } },
            { person(5, COURT_COURTIER, 0), { OVERLAY_FRAME_COUNTY } },
            { person(0, COURT_CHANCELLOR, 7),
                { OVERLAY_FRAME_NO_TITLE, OVERLAY_CHANCELLOR, OVERLAY_DYNASTY } },
            { person(0, COURT_STEWARD, 0), { OVERLAY_FRAME_NO_TITLE, OVERLAY_STEWARD } },
            { person(0, COURT_MARSHAL, 0), { OVERLAY_FRAME_NO_TITLE, OVERLAY_MARSHAL } },
            { person(0, COURT_SPYMASTER, 0), { OVERLAY_FRAME_NO_TITLE, OVERLAY_SPYMASTER } },
            { person(0, COURT_CHAPLAIN, 8), { OVERLAY_FRAME_NO_TITLE, OVERLAY_CHAPLAIN } },
        };
        for (const auto& c : kCases) {
            CPortrait portrait(c.who);
            for (int overlay = 0; overlay < kPortraitOverlays; ++overlay)
                EXPECT_EQ(
                    portrait.IsOverlayOn(overlay), std::find(c.on.begin(), c.on.end(), overlay) != c.on.end())
                    << "character " << c.who->GetID().number << ", overlay " << overlay;
        }
        EXPECT_EQ(Hash(CPortrait(duke).GetImage()), FaceHash("05030207110104", 1, kDark));

        // Without a local player nobody's kin is marked.
        gCountryControl[1300] = 0;
        EXPECT_FALSE(CPortrait(king).IsOverlayOn(OVERLAY_DYNASTY));
        CRZCountry::DeleteAll();
    }
    CPapacy::SetInstance(nullptr);
    CTitle::DestroyAll();
    delete gpTimer;
    gpTimer = nullptr;
    CIdentity::TotalCleanup();
}

// A portrait that outlives its character draws him in the dead look and tells nothing of him.
TEST_F(PortraitTest, PortraitOfOneGoneIsDrawnDimmed)
{
    CIdentity::TotalInit(NOID, 0);
    std::unique_ptr<CPortrait> portrait;
    {
        CCharacter child;
        child.Create(CRZID(RZTYPE_CHARACTER, 1));
        portrait = std::make_unique<CPortrait>(&child);
    }
    const std::uint64_t alive = Hash(portrait->GetImage());
    const std::uint16_t before = video_test::Pixel16(portrait->GetImage(), 64, 60);
    CImage screen(128, 128, 16, IMAGE_SYSTEM);
    portrait->SetDestinationImage(&screen);
    portrait->Draw(CRZDrawType {});
    EXPECT_EQ(portrait->GetCharacter(), nullptr);
    EXPECT_STREQ(portrait->GetWindowInstantRollover(CPoint()), "");
    EXPECT_STREQ(portrait->GetWindowDelayedRollover(CPoint()), "");
    EXPECT_NE(Hash(portrait->GetImage()), alive);
    const std::uint16_t after = video_test::Pixel16(portrait->GetImage(), 64, 60);
    EXPECT_LT(after >> 10 & 31, before >> 10 & 31) << std::hex << before << " " << after; // less red: darker
    portrait.reset();
    CIdentity::TotalCleanup();
}

// The generator writes every picture the faces and arms read, under the names they read: none of them is
// the fallback picture, and each realm number has an icon of its own.
TEST_F(PortraitTest, EveryPictureTheyReadIsGenerated)
{
    CPortrait face("", 0, static_cast<RZCultureType>(kLight)); // its overlays
    int pictures = 0;
    std::vector<std::string> missing;
    CSprite::_ImageDB.ForEach([&](CImageNode* node) {
        ++pictures;
        if (std::string(node->GetName()) == kDummyImageName)
            missing.emplace_back(node->GetHashKey().GetName());
    });
    EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first " << missing.front();
    // 4 generic faces, 28 strips, 14 overlays; 5 masks, 6 frames, the flag's 2 and 1423 icons.
    EXPECT_EQ(pictures, 4 + 28 + 14 + 5 + 6 + 2 + 1423);
    for (int layer = 0; layer < kPortraitLayers; ++layer)
        for (int set = 0; set < kPortraitSets; ++set)
            EXPECT_GT(CPortrait::GetLayerFrames(layer, set), 1) << layer << " " << set;
}

TEST_F(PortraitTest, ArmsTakeTheFrameAndMaskOfTierPeopleAndFaith)
{
    const CRZCountryID county = 5, duchy = 1100, kingdom = 1300;
    const struct {
        CRZCountryID realm;
        int culture, religion;
        ArmsFrame frame;
    } kCases[] = {
        { kingdom, kTurkish, RELIGION_CATHOLIC, ARMS_KINGDOM },
        { kingdom, kTurkish, RELIGION_PAGAN, ARMS_TURKISH },
        { duchy, kPersian, RELIGION_MUSLIM, ARMS_MUSLIM },
        { duchy, kPersian, RELIGION_ORTHODOX, ARMS_DUCHY },
        { county, 29, RELIGION_JEWISH, ARMS_TURKISH },
        { county, 36, RELIGION_NONE, ARMS_TURKISH },
        { county, 34, RELIGION_MUSLIM, ARMS_MUSLIM },
        { county, 37, RELIGION_MUSLIM, ARMS_COUNTY },
        { duchy, 28, RELIGION_PAGAN, ARMS_DUCHY },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(CCoatOfArms::ChooseFrame(c.realm, c.culture, c.religion), c.frame)
            << c.realm << " " << c.culture << " " << c.religion;

    CCoatOfArms arms(duchy, static_cast<RZCultureType>(kPersian), RELIGION_MUSLIM);
    EXPECT_EQ(arms.GetSound(), kArmsSound);
    EXPECT_EQ(Hash(arms.GetImage()),
        ComposedHash(std::pair { CCoatOfArms::_pIcons[duchy], 0 },
            std::pair { CCoatOfArms::_pFrames[ARMS_MUSLIM], 0 },
            std::pair { CCoatOfArms::_pMasks[ARMS_MUSLIM], 0 }));
    // The mask cuts the shield: its corner is the transparent colour, which drawing leaves out.
    EXPECT_EQ(video_test::Pixel16(arms.GetImage(), 0, 127), CImageBase::Transparent16Bit);
    EXPECT_NE(video_test::Pixel16(arms.GetImage(), 64, 70), CImageBase::Transparent16Bit);
    EXPECT_FALSE(arms.Within(0, 127));
    EXPECT_TRUE(arms.Within(64, 70));
    // Each realm has an icon of its own.
    EXPECT_NE(Hash(arms.GetImage()),
        Hash(CCoatOfArms(duchy + 1, static_cast<RZCultureType>(kPersian), RELIGION_MUSLIM).GetImage()));
    // A character's arms are those of his realm for his own culture and faith.
    CIdentity::TotalInit(NOID, 0);
    {
        CCharacter shah;
        shah.Create(CRZID(RZTYPE_CHARACTER, 1));
        shah.realmId = duchy;
        shah.culture = kPersian;
        shah.religion = RELIGION_MUSLIM;
        EXPECT_EQ(Hash(CCoatOfArms(&shah).GetImage()), Hash(arms.GetImage()));
        shah.religion = RELIGION_CATHOLIC;
        EXPECT_EQ(Hash(CCoatOfArms(&shah).GetImage()),
            Hash(CCoatOfArms(duchy, static_cast<RZCultureType>(kPersian), RELIGION_CATHOLIC).GetImage()));
    }
    CIdentity::TotalCleanup();
    // A number outside the table draws the icon of no country.
    for (const CRZCountryID outside : { 5000, -1 }) {
        const ArmsFrame frame = CCoatOfArms::ChooseFrame(outside, CULTURE_NONE, RELIGION_CATHOLIC);
        EXPECT_EQ(Hash(CCoatOfArms(outside, CULTURE_NONE, RELIGION_CATHOLIC).GetImage()),
            ComposedHash(std::pair { CCoatOfArms::_pIcons[0], 0 },
                std::pair { CCoatOfArms::_pFrames[frame], 0 }, std::pair { CCoatOfArms::_pMasks[frame], 0 }));
    }
}

} // namespace
