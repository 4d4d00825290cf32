// Minimap dots through stand-in realms and armies: which provinces get an occupation dot, the army dots
// kept from the last mode change, and location words naming no province of the map.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "gfx/bitmap_fixture.h"
#include "gfx/image.h"
#include "gfx/show_dots.h"
#include "gfx/sprite.h"
#include "gfx/video_fixture.h"

#include "foundation/safeguards.h"

namespace {

struct Control {
    int owner;
    int controller;
    bool occupied;
};

// The world the hooks answer from: the player's realm, the provinces' control and the armies' places.
struct CFakeWorld {
    int realm = 7;
    std::map<int, Control> provinces;
    std::vector<int> armies;
    std::vector<CPoint> dots; // map points the dots were drawn at, in order
};
CFakeWorld* gWorld = nullptr;

class ShowDots : public fixture::GfxFileTest {
protected:
    void SetUp() override
    {
        GfxFileTest::SetUp();
        for (std::string file : kDotImages) {
            std::replace(file.begin(), file.end(), '\\', '/');
            fixture::WriteKeyedPicture(file, 0x7C00);
        }
        gWorld = &world;
        gShowDotsHooks.GetOccupationRealm = [](CRZPlayer*) { return gWorld->realm; };
        gShowDotsHooks.GetProvinceControl = [](int province, int* owner, int* controller, bool* occupied) {
            const auto it = gWorld->provinces.find(province);
            if (it == gWorld->provinces.end())
                return false;
            *owner = it->second.owner;
            *controller = it->second.controller;
            *occupied = it->second.occupied;
            return true;
        };
        gShowDotsHooks.GetArmyLocations = [](CRZPlayer*, CList<int>& words) {
            for (int word : gWorld->armies)
                words.Append(word);
        };
        // A province's centre is (10 × number, 5) on the map; the minimap halves it.
        gShowDotsHooks.GetCenterPoint = [](int province, CPoint& centre) {
            centre = CPoint(10 * province, 5);
            return true;
        };
        gShowDotsHooks.WorldToMinimap = [](int x, int y) {
            gWorld->dots.push_back(CPoint(x, y));
            return CPoint(x / 2, y / 2);
        };
    }
    void TearDown() override
    {
        gShowDotsHooks = CShowDotsHooks();
        gWorld = nullptr;
        CVideo::pBackBuffer = nullptr;
        GfxFileTest::TearDown();
    }
    std::vector<int> DottedProvinces() const
    {
        std::vector<int> out;
        for (const CPoint& p : world.dots)
            out.push_back(p.x / 10);
        return out;
    }

    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 320, 240, 16, IMAGE_SYSTEM };
    CFakeWorld world;
};

TEST_F(ShowDots, OccupationDotsMarkOnlyThePlayersOccupiedProvincesHeldByAnother)
{
    CVideo::pBackBuffer = &screen;
    world.provinces = {
        { 1, { 7, 9, true } }, // ours, held by another, occupied: a dot
        { 2, { 9, 7, true } }, // theirs, held by us, occupied: a dot
        { 3, { 7, 7, true } }, // ours and held by us
        { 4, { 7, 9, false } }, // no occupation
        { 5, { 8, 9, true } }, // neither side ours
        { 1003, { 7, 0, true } }, // the last province of the table
    };
    CShowDots dots(nullptr);
    ASSERT_EQ(dots.GetMode(), SHOWDOTS_OCCUPATION);
    EXPECT_EQ(dots.Draw(DRAW_TYPE_0), 0);
    EXPECT_EQ(DottedProvinces(), (std::vector<int> { 1, 2, 1003 }));
    EXPECT_EQ(dots.GetDot(DOT_RED)->GetPosition(), CPoint(5015, 2));

    // A realm that asks for no dots gets none.
    world.dots.clear();
    world.realm = 0;
    dots.Draw(DRAW_TYPE_0);
    EXPECT_TRUE(world.dots.empty());
}

TEST_F(ShowDots, ArmyDotsStayAsTheArmiesStoodAtTheLastModeChange)
{
    CVideo::pBackBuffer = &screen;
    world.armies = { MakeDotWord(12, DOT_RED), MakeDotWord(30, DOT_PINK), 0 };
    CShowDots dots(nullptr);
    dots.SetMode(SHOWDOTS_ARMIES);
    EXPECT_EQ(dots.GetEntries().GetSize(), 3);

    world.armies = { MakeDotWord(44, DOT_RED) };
    dots.Draw(DRAW_TYPE_0);
    EXPECT_EQ(DottedProvinces(), (std::vector<int> { 12, 30 }));
    EXPECT_EQ(dots.GetDot(DOT_PINK)->GetPosition(), CPoint(150, 2));

    world.dots.clear();
    dots.SetMode(SHOWDOTS_ARMIES);
    dots.Draw(DRAW_TYPE_0);
    EXPECT_EQ(DottedProvinces(), (std::vector<int> { 44 }));

    // Back to occupation mode: the army entries are gone.
    dots.SetMode(SHOWDOTS_OCCUPATION);
    EXPECT_TRUE(dots.GetEntries().IsEmpty());
}

TEST_F(ShowDots, WordsNamingNoProvinceOfTheMapOrNoColourAreSkipped)
{
    CVideo::pBackBuffer = &screen;
    world.armies = { MakeDotWord(1007, DOT_RED), MakeDotWord(1008, DOT_RED), MakeDotWord(0xFFFF, DOT_PINK),
        MakeDotWord(5, static_cast<ShowDotsColor>(2)), -1 };
    CShowDots dots(nullptr);
    dots.SetMode(SHOWDOTS_ARMIES);
    dots.Draw(DRAW_TYPE_0);
    EXPECT_EQ(DottedProvinces(), (std::vector<int> { 1007 }));
}

} // namespace
