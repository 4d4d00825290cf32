// The goto box over a small table of provinces and realms: numbers, names in any letter case, realms at
// their capitals (passing over realms without one), a failed search that keeps the box open, Escape, the
// hold of a single-player game, and the map centred on the province found.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "map/game_map_base.h"
#include "text/new_text.h"
#include "widgets/edit_box.h"
#include "widgets/generated_interface.h"
#include "widgets/goto_box.h"
#include "widgets/player_hooks.h"

#include "foundation/safeguards.h"

namespace {

std::map<int, std::string> gProvinces;
std::map<int, std::pair<std::string, int>> gRealms;
int gInvalidated = 0;
bool gHolding = false;

class GotoBox : public widgets_test::GeneratedInterface {
protected:
    void SetUp() override
    {
        widgets_test::GeneratedInterface::SetUp();
        ASSERT_TRUE(TextStrings.Init(static_cast<RZLanguageType>(0)));
        gProvinces = { { 0, "Nowhere" }, { 17, "Aldmere" }, { 42, "Brannock Vale" }, { 1003, "Corvale" },
            { 5, "1004" }, { 6, "0" } };
        gRealms = { { 2, { "Estmarch", 0 } }, { 9, { "Estmarch", 42 } }, { 11, { "Fenwick", 1003 } } };
        gInvalidated = 0;
        gHolding = false;
        gGotoBoxHooks.GetProvinceName = [](int n) -> const char* {
            const auto it = gProvinces.find(n);
            return it == gProvinces.end() ? nullptr : it->second.c_str();
        };
        gGotoBoxHooks.GetCountryName = [](int n) -> const char* {
            const auto it = gRealms.find(n);
            return it == gRealms.end() ? nullptr : it->second.first.c_str();
        };
        gGotoBoxHooks.GetCapitalProvince = [](int n) {
            const auto it = gRealms.find(n);
            return it == gRealms.end() ? 0 : it->second.second;
        };
        gGotoBoxHooks.GetCenterPoint = [](int n, CPoint& centre) {
            centre = CPoint(100 + n, 2000 + n);
            return true;
        };
        gGotoBoxHooks.InvalidateMap = [] { ++gInvalidated; };
        gWidgetPlayerHooks.SetHolding = [](bool hold) { gHolding = hold; };
        CGameMapBase::SetFocus(0, 0);
    }
    void TearDown() override
    {
        gGotoBoxHooks = CGotoBoxHooks();
        gWidgetPlayerHooks = CWidgetPlayerHooks();
        TextStrings.DeleteAll();
        widgets_test::GeneratedInterface::TearDown();
    }

    int Key(CRZGotoBox& box, int code) { return Send(box, _CRZEVT_KEYUP_, CPoint(), code); }
    // Opens the box, types the text and presses Enter.
    int Enter(CRZGotoBox& box, const char* text)
    {
        if (!box.IsOpen()) {
            EXPECT_EQ(Key(box, '?'), 3);
        }
        for (const char* c = text; *c; ++c)
            Key(box, static_cast<unsigned char>(*c));
        return Key(box, 13);
    }
    static CPoint Focus() { return CPoint(CGameMapBase::nFocusX, CGameMapBase::nFocusY); }
};

TEST_F(GotoBox, TextsNameProvincesByNumberThenByNameThenRealmsAtTheirCapitals)
{
    const struct {
        const char* text;
        int province;
    } kCases[] = {
        { "17", 17 },
        { "1003", 1003 },
        { "aldmere", 17 },
        { "BRANNOCK VALE", 42 },
        { "0", 6 }, // no province number: tried as a name
        { "1004", 5 },
        { "nowhere", 0 },
        { "estmarch", 42 }, // the first Estmarch has no capital and is passed over
        { "Fenwick", 1003 },
        { "Gallowmoor", -1 },
        { "", -1 },
        { "17a", -1 },
        { "-17", -1 },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(CRZGotoBox::FindProvince(c.text), c.province) << '"' << c.text << '"';
}

TEST_F(GotoBox, EnterCentresTheMapOnTheProvinceAndClosesTheBoxAndItsHold)
{
    CRZGotoBox box;
    EXPECT_EQ(Key(box, 'a'), 0) << "closed, it takes no keys but its own";
    EXPECT_EQ(Key(box, kBackslashKeyCode), 3);
    EXPECT_TRUE(box.IsOpen());
    EXPECT_TRUE(gHolding) << "a single-player game is held while the box is open";
    EXPECT_EQ(box.GetMessage(), TextStrings.GetString("GOTOBOX"));
    EXPECT_EQ(Enter(box, "17"), 3);
    EXPECT_FALSE(box.IsOpen());
    EXPECT_FALSE(gHolding);
    EXPECT_EQ(Focus(), CPoint(117, 2017));
    EXPECT_EQ(gInvalidated, 1);

    // Reopened, the box starts empty: "Fenwick" alone finds its capital.
    Enter(box, "Fenwick");
    EXPECT_EQ(Focus(), CPoint(1103, 3003));
}

TEST_F(GotoBox, AnUnknownTextShowsTheFailureAndKeepsTheBoxOpenAndEscapeClosesWithoutMoving)
{
    CRZGotoBox box;
    EXPECT_EQ(Enter(box, "Gallowmoor"), 3);
    EXPECT_TRUE(box.IsOpen());
    EXPECT_TRUE(gHolding);
    EXPECT_EQ(box.GetMessage(), TextStrings.GetString("GOTOBOX_FAIL"));
    EXPECT_EQ(gInvalidated, 0);
    EXPECT_EQ(Key(box, 14), 3);
    EXPECT_FALSE(box.IsOpen());
    EXPECT_FALSE(gHolding);
    EXPECT_EQ(Focus(), CPoint(0, 0));
    EXPECT_EQ(gInvalidated, 0);
}

TEST_F(GotoBox, TheOpenBoxDrawsItsPanelAndMessageCentredOnTheScreen)
{
    CRZGotoBox box;
    screen.Fill16Bit(0);
    box.Draw(DRAW_TYPE_2);
    EXPECT_EQ(video_test::Pixel16(&screen, 320, 240), 0) << "closed, nothing";
    Key(box, '?');
    box.Draw(DRAW_TYPE_2);
    int drawn = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (video_test::Pixel16(&screen, x, y) != 0) {
                ++drawn;
                ASSERT_TRUE(x >= 20 && x < 620 && y >= 208 && y < 272) << x << ", " << y;
            }
    EXPECT_GT(drawn, 600 * 40);
}

} // namespace
