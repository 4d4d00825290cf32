// The interface as the frame of the game screen: its three passes in the display list, the side panel
// stacked at the left, windows drawn and offered clicks front first, what the last frame left under a
// window, and the buttons found at a point.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "events/generic_events.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/display_list.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "support/fake_game.h"
#include "widgets/button.h"
#include "widgets/interface.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace {

using video_test::Pixel16;
using video_test::SetPixel16;

// A 24-bit picture of one colour, as the side panel's pieces are stored.
void WritePiece(const std::string& name, int width, int height, std::uint8_t red)
{
    fixture::Bmp bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bits = 24;
    bmp.table = false;
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += { static_cast<char>(40), static_cast<char>(40), static_cast<char>(red) };
        row.resize(stride, '\0');
        bmp.pixels += row;
    }
    fixture::WriteFile(name, fixture::Bytes(bmp));
}

// A window of one colour that records the clicks it takes.
class CPaintedWindow : public CWindow {
public:
    CPaintedWindow(CPoint at, std::uint16_t colour, std::string inName, std::string* taker)
        : CWindow(&at, CPoint(96, 96), 16)
        , mName(std::move(inName))
        , mTaker(taker)
    {
        for (int y = 0; y < GetHeight(); ++y)
            for (int x = 0; x < GetWidth(); ++x)
                SetPixel16(GetImage(), x, y, colour);
    }
    int Update(CRZEvent* event) override
    {
        const CPoint at = CInput::GetMousePosition();
        if (event->GetType() == _CRZEVT_MOUSELBDOWN_ && isWithin(at.x, at.y)) {
            *mTaker = mName;
            return UPDATE_TAKEN;
        }
        return 0;
    }

private:
    std::string mName;
    std::string* mTaker;
};

class InterfaceFrame : public fixture::GfxFileTest {
protected:
    void SetUp() override
    {
        GfxFileTest::SetUp();
        CVideo::pBackBuffer = &screen;
        WritePiece("gfx/interface/top.bmp", 244, 30, 200);
        WritePiece("gfx/interface/middle.bmp", 244, 20, 120);
        WritePiece("gfx/interface/bottom.bmp", 244, 30, 60);
        CWindow::InitClass();
        gpDisplayList = new CDisplayList;
        gEventRoutes.game = &game;
        CInput::_ClippedPos = CInput::_MouseOffset = CPoint();
    }
    void TearDown() override
    {
        gEventRoutes.game = nullptr;
        delete gpDisplayList;
        gpDisplayList = nullptr;
        CWindow::ShutdownClass();
        CVideo::pBackBuffer = nullptr;
        GfxFileTest::TearDown();
    }

    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 640, 480, 16, IMAGE_SYSTEM };
    CStartedGame game;
};

TEST_F(InterfaceFrame, ThreePassesInTheDisplayListAndTheSidePanelStackedAtTheLeft)
{
    std::set<std::pair<int, int>> entries;
    {
        CInterface interface;
        for (auto it = gpDisplayList->GetHead(); !it.IsEnd(); it++)
            if ((*it).pDrawable == &interface)
                entries.insert({ (*it).depth, (*it).type });
        EXPECT_EQ(entries, (std::set<std::pair<int, int>> { { 1000, 0 }, { 2200, 4 }, { 2500, 2 } }));

        screen.Fill16Bit(0);
        gpDisplayList->Draw();
        const struct {
            int y;
            int red;
        } kRows[] = { { 0, 200 }, { 29, 200 }, { 30, 120 }, { 49, 120 }, { 50, 60 }, { 79, 60 } };
        for (const auto& row : kRows) {
            for (int x : { 0, 100, 243 })
                EXPECT_EQ(Pixel16(&screen, x, row.y), CVideo::TrueToHigh(row.red, 40, 40))
                    << x << ", " << row.y;
        }
        EXPECT_EQ(Pixel16(&screen, 244, 10), 0) << "the panel ends at x 244";
        EXPECT_EQ(interface.GetHeaderEndPos(), 30);
        EXPECT_EQ(interface.GetBottomPos().y, 80);
        EXPECT_EQ(interface.GetXPos(), 0);
    }
    EXPECT_TRUE(gpDisplayList->IsEmpty()) << "the interface takes its entries with it";
}

TEST_F(InterfaceFrame, ALaterWindowDrawsOnTopAndGetsClicksFirst)
{
    CInterface interface;
    std::string taker;
    const std::uint16_t red = CVideo::TrueToHigh(250, 0, 0);
    const std::uint16_t blue = CVideo::TrueToHigh(0, 0, 250);
    interface.AddWindow(new CPaintedWindow(CPoint(300, 100), red, "first", &taker));
    interface.AddWindow(new CPaintedWindow(CPoint(350, 150), blue, "second", &taker));
    screen.Fill16Bit(0);
    interface.Draw(DRAW_TYPE_2);
    EXPECT_EQ(Pixel16(&screen, 320, 120), red);
    EXPECT_EQ(Pixel16(&screen, 380, 180), blue) << "where they overlap";
    EXPECT_EQ(Pixel16(&screen, 430, 230), blue);

    CInput::_ClippedPos = CPoint(380, 180);
    CRZInputEvent click(_CRZEVT_MOUSELBDOWN_, 0, 0, CPoint(380, 180));
    EXPECT_EQ(interface.HandleInput(&click), UPDATE_TAKEN);
    EXPECT_EQ(taker, "second");

    // The spans the frame left tell what lies under a window.
    EXPECT_EQ(interface.IsWindowAt(380, 180), 1);
    EXPECT_EQ(interface.IsWindowAt(300, 100), 1) << "the window's first pixel";
    EXPECT_EQ(interface.IsWindowAt(299, 100), 0);
    EXPECT_EQ(interface.IsWindowAt(600, 50), 0);
    EXPECT_EQ(interface.IsWindowAt(-1, 120), 0);
    EXPECT_EQ(interface.IsWindowAt(700, 120), 0) << "off screen";
}

TEST_F(InterfaceFrame, ButtonsAreFoundAtTheirPlaceAndGetLoopTicksThroughTheInterface)
{
    CInterface interface;
    auto* first = new CRZBtn(64, 16, 16);
    auto* second = new CRZBtn(64, 16, 16);
    for (CRZBtn* button : { first, second })
        button->SetRectangularHit(true);
    first->SetID(4);
    second->SetID(9);
    first->MoveTo(10, 10);
    second->MoveTo(12, 12);
    interface.AddButton(first);
    interface.AddButton(second);
    EXPECT_EQ(interface.GetButtonIDAt(13, 13), 4) << "the first in list order";
    EXPECT_EQ(interface.GetButtonIDAt(27, 27), 9);
    EXPECT_EQ(interface.GetButtonIDAt(100, 100), -1);

    first->Down();
    CInput::_isLeftButton = 0;
    CRZGenericEvent tick(_CRZEVT_TIMER_TICK_LOOP_, ALLID);
    gpDisplayList->Update(&tick);
    EXPECT_TRUE(first->isUp()) << "a released momentary button pops up on the loop tick";
    interface.RemoveButton(second);
    EXPECT_EQ(interface.GetButtonIDAt(27, 27), -1);
    delete second;
}

} // namespace
