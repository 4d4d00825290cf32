// Windows: the tile sets of the data folder and the frame they paint, sizes in whole tiles, placement on
// the screen and the cascade, close-all, dragging kept on the screen, and the span buffer: see-through
// pixels and a window half hidden behind another.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "events/generic_events.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "gfx/sprite_list.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"
#include "widgets/input.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace {

using video_test::Pixel16;
using video_test::SetPixel16;

class Windows : public testing::Test {
protected:
    void SetUp() override
    {
        CVideo::pBackBuffer = &screen;
        CWindow::InitClass();
        CWindow::ClearSBuffer();
        CWindow::_CenterPos = CPoint(300, 100);
        CInput::_isLeftButton = 0;
        CInput::_ClippedPos = CInput::_MouseOffset = CPoint();
    }
    void TearDown() override
    {
        CWindow::ShutdownClass();
        CVideo::pBackBuffer = nullptr;
        CInput::_isLeftButton = 0;
    }
    void Fill(CImage* image, std::uint16_t value)
    {
        for (int y = 0; y < image->GetHeight(); ++y)
            for (int x = 0; x < image->GetWidth(); ++x)
                SetPixel16(image, x, y, value);
    }
    int Offer(CWindow& window, CRZEvtType type)
    {
        CRZInputEvent event(type, 0, 0, CInput::_ClippedPos);
        return window.Update(&event);
    }

    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 800, 600, 16, IMAGE_SYSTEM };
};

// The tile sets on the display that start-up sets up before it loads them, whose pixel format their
// palettes map to.
class WindowTiles : public testing::Test {
protected:
    void SetUp() override { CWindow::InitClass(); }
    void TearDown() override { CWindow::ShutdownClass(); }
    static void Fill(CImage* image, std::uint16_t value)
    {
        for (int y = 0; y < image->GetHeight(); ++y)
            for (int x = 0; x < image->GetWidth(); ++x)
                SetPixel16(image, x, y, value);
    }
    video_test::ScopedHeadlessVideo video { 800, 600 };
};

// Each set's nine tiles load from the generated folder at their square size, and a window three tiles
// each way shows every tile once, in its place, without one painting over another.
TEST_F(WindowTiles, LoadFromTheDataFolderAndFrameAWindow)
{
    ASSERT_TRUE(video_test::GenerateTinyData(5)) << "build the datagen target first";
    SetDataPath();

    CWindowsTiles unknown(12);
    for (int i = 0; i < CWindowsTiles::kTileCount; ++i)
        EXPECT_EQ(unknown.Get(static_cast<CWindowsTiles::Tile>(i)), nullptr);
    const struct {
        int set;
        int size;
        CWindowsTiles** global;
    } kSets[] = { { 16, 16, &gpWindowsTiles16 }, { 8, 8, &gpWindowsTiles8 }, { 7, 8, &gpWindowsTiles7 } };
    for (const auto& c : kSets) {
        SCOPED_TRACE(c.set);
        CWindowsTiles tiles(c.set);
        for (int i = 0; i < CWindowsTiles::kTileCount; ++i) {
            CSprite* tile = tiles.Get(static_cast<CWindowsTiles::Tile>(i));
            ASSERT_NE(tile, nullptr);
            EXPECT_EQ(tile->GetWidth(), c.size) << i;
            EXPECT_EQ(tile->GetHeight(), c.size) << i;
        }
        *c.global = &tiles;
        CPoint at(100, 100);
        CWindow window(&at, CPoint(3 * c.size, 3 * c.size), c.set);
        *c.global = nullptr;
        // Where each tile lies in a window of three by three tiles.
        const CWindowsTiles::Tile kPlaces[3][3] = {
            { CWindowsTiles::TOP_LEFT, CWindowsTiles::TOP, CWindowsTiles::TOP_RIGHT },
            { CWindowsTiles::CENTRE_LEFT, CWindowsTiles::CENTRE, CWindowsTiles::CENTRE_RIGHT },
            { CWindowsTiles::BOTTOM_LEFT, CWindowsTiles::BOTTOM, CWindowsTiles::BOTTOM_RIGHT },
        };
        int differing = 0;
        int painted = 0;
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                CImage alone(c.size, c.size, 16, IMAGE_SYSTEM);
                Fill(&alone, 0);
                CSprite* tile = tiles.Get(kPlaces[row][column]);
                tile->SetDestinationImage(&alone);
                tile->MoveTo(0, 0);
                tile->Draw(DRAW_TYPE_0);
                for (int y = 0; y < c.size; ++y) {
                    for (int x = 0; x < c.size; ++x) {
                        const std::uint16_t shown
                            = Pixel16(window.GetImage(), column * c.size + x, row * c.size + y);
                        differing += shown != Pixel16(&alone, x, y);
                        painted += shown != 0;
                    }
                }
            }
        }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(painted, 4 * c.size * c.size) << "the tiles drew nothing";
    }
}

TEST_F(Windows, SizesAreWholeTilesAndAtLeastThreeEachWay)
{
    const struct {
        CPoint size;
        int tile;
        int width;
        int height;
        int tileSize;
    } kCases[] = { { { 10, 10 }, 16, 48, 48, 16 }, { { 100, 70 }, 16, 96, 64, 16 },
        { { 10, 10 }, 8, 24, 24, 8 }, { { 61, 33 }, 7, 56, 32, 8 } };
    for (const auto& c : kCases) {
        CPoint at(400, 200);
        CWindow window(&at, c.size, c.tile);
        EXPECT_EQ(window.GetWidth(), c.width);
        EXPECT_EQ(window.GetHeight(), c.height);
        EXPECT_EQ(window.GetTileSize(), c.tileSize);
        EXPECT_EQ(window.GetImage()->GetWidth(), c.width);
        EXPECT_EQ(CWindow::_pLastWindow, &window);
    }
}

TEST_F(Windows, GivenPositionsStayOnTheScreenBelowTheTopBar)
{
    const struct {
        CPoint asked;
        CPoint size;
        CPoint at;
    } kCases[] = { { { 700, 0 }, { 100, 70 }, { 556, 32 } }, { { 750, 580 }, { 300, 100 }, { 500, 500 } },
        { { 10, 40 }, { 48, 48 }, { 10, 40 } } };
    for (const auto& c : kCases) {
        CPoint at = c.asked;
        CWindow window(&at, c.size, 16);
        EXPECT_EQ(window.GetPosition(), c.at);
    }
}

TEST_F(Windows, UnplacedWindowsCascadeFromTheCentreAndStartAgainPast600)
{
    for (int i = 0; i < 5; ++i) {
        CWindow window(nullptr, CPoint(100, 100), 16);
        EXPECT_EQ(window.GetPosition(), CPoint(300 + 8 * i, 100 + 8 * i));
    }
    CWindow::_CenterPos = CPoint(600, 350);
    CWindow tall(nullptr, CPoint(100, 200), 16);
    EXPECT_EQ(tall.GetPosition(), CPoint(600, 500 - 192)) << "kept above row 500";
    EXPECT_EQ(CWindow::_CenterPos, CPoint(300, 100));
}

TEST_F(Windows, CloseAllRemovesEveryWindow)
{
    CWindowList list;
    for (int i = 0; i < 3; ++i)
        list.Append(new CWindow(nullptr, CPoint(64, 64), 16));
    CRZGenericEvent closeAll(_CRZEVT_CLOSEALLWINDOWS_, ALLID);
    for (int i = 0; i < 3 && !list.IsEmpty(); ++i)
        list.Update(&closeAll);
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(Windows, AClickBringsToTheFrontAndADragStaysOnTheScreen)
{
    CPoint at(100, 100);
    CWindow window(&at, CPoint(96, 64), 16);
    CInput::_ClippedPos = CPoint(110, 120);
    CInput::_isLeftButton = 1;
    EXPECT_EQ(Offer(window, _CRZEVT_MOUSELBDOWN_), 2);
    EXPECT_TRUE(window.IsDragging());
    CInput::_ClippedPos = CPoint(150, 170);
    EXPECT_EQ(Offer(window, _CRZEVT_MOUSELBHELD_), 3);
    EXPECT_EQ(window.GetPosition(), CPoint(140, 150));
    CInput::_ClippedPos = CPoint(799, 599);
    EXPECT_EQ(Offer(window, _CRZEVT_MOUSELBHELD_), 3);
    EXPECT_EQ(window.GetPosition(), CPoint(800 - 96 - 1, 600 - 64 - 1));
    CInput::_isLeftButton = 0;
    EXPECT_EQ(Offer(window, _CRZEVT_MOUSELBUP_), 3);
    EXPECT_FALSE(window.IsDragging());
    // Outside the window nothing is taken.
    CInput::_ClippedPos = CPoint(5, 5);
    EXPECT_EQ(Offer(window, _CRZEVT_MOUSEMOVE_), 0);
}

TEST_F(Windows, SeeThroughPixelsShowTheBackgroundAtAQuarter)
{
    const std::uint16_t background = CVideo::TrueToHigh(200, 160, 120);
    Fill(&screen, background);
    CPoint at(100, 100);
    CWindow window(&at, CPoint(48, 48), 16);
    const std::uint16_t face = CVideo::TrueToHigh(10, 200, 30);
    Fill(window.GetImage(), face);
    SetPixel16(window.GetImage(), 5, 6, CVideo::TrueToHigh(35, 35, 35));
    window.Draw(DRAW_TYPE_0);
    EXPECT_EQ(Pixel16(&screen, 105, 106),
        static_cast<std::uint16_t>((background >> 2) & CVideo::TrueToHigh(63, 63, 63)));
    EXPECT_EQ(Pixel16(&screen, 104, 106), face);
    EXPECT_EQ(Pixel16(&screen, 99, 106), background);
    EXPECT_EQ(Pixel16(&screen, 148, 106), background);
}

TEST_F(Windows, AWindowHalfHiddenBehindAnotherWritesOnlyItsVisibleHalf)
{
    const std::uint16_t background = CVideo::TrueToHigh(0, 0, 255);
    Fill(&screen, background);
    CPoint frontAt(100, 100), backAt(52, 100);
    CWindow front(&frontAt, CPoint(96, 64), 16);
    CWindow back(&backAt, CPoint(96, 64), 16);
    const std::uint16_t frontFace = CVideo::TrueToHigh(255, 0, 0);
    const std::uint16_t backFace = CVideo::TrueToHigh(0, 255, 0);
    Fill(front.GetImage(), frontFace);
    Fill(back.GetImage(), backFace);
    // Front to back: the front window claims its part of the rows first.
    front.Draw(DRAW_TYPE_0);
    back.Draw(DRAW_TYPE_0);
    for (int y : { 100, 130, 163 }) {
        EXPECT_EQ(Pixel16(&screen, 52, y), backFace);
        EXPECT_EQ(Pixel16(&screen, 99, y), backFace);
        EXPECT_EQ(Pixel16(&screen, 100, y), frontFace);
        EXPECT_EQ(Pixel16(&screen, 147, y), frontFace);
        EXPECT_EQ(Pixel16(&screen, 195, y), frontFace);
        EXPECT_EQ(Pixel16(&screen, 196, y), background);
    }
    EXPECT_EQ(Pixel16(&screen, 60, 164), background);
    // The rows keep the parts no window covers: left of 52 and right of 196.
    ASSERT_EQ(CWindow::_SBuffer[120].spans.size(), 2u);
    EXPECT_EQ(CWindow::_SBuffer[120].spans[0].end, 2 * 51);
    EXPECT_EQ(CWindow::_SBuffer[120].spans[1].start, 2 * 196);
}

} // namespace
