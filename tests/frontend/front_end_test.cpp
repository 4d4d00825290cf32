// The page controller and the main menu: numbers without a page change nothing, the menu's buttons stand
// in one row at the bottom, only Exit reacts, and only after the five events of the start-up pause.
#include <gtest/gtest.h>

#include "events/generic_events.h"
#include "frontend/front_end_main.h"
#include "frontend/new_front_end.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "platform/input/window_messages.h"
#include "support/data_folder.h"
#include "widgets/button.h"
#include "widgets/input.h"

#include "foundation/safeguards.h"

namespace {

// A 16-bit picture of the given frames, each 100 by 40 and of one colour.
void WritePicture(const std::string& name, int width, int height)
{
    fixture::Bmp bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bits = 16;
    bmp.table = false;
    for (int i = 0; i < width * height; ++i)
        fixture::Put16(bmp.pixels, static_cast<std::uint16_t>(0x1000 + i / 100 % 4 * 0x0400));
    fixture::WriteFile(name, fixture::Bytes(bmp));
}

class FrontEnd : public fixture::GfxFileTest {
protected:
    void SetUp() override
    {
        GfxFileTest::SetUp();
        CVideo::pBackBuffer = &screen;
        WritePicture("gfx/interface/frontend/btn_frontend_big.bmp", 400, 40);
        WritePicture("gfx/interface/frontend/bg_start.bmp", 16, 16);
        CInput::_isLeftButton = 0;
        Windows::MSG message;
        while (Windows::PeekMessageA(&message, nullptr, 0, 0, Windows::PM_REMOVE)) { }
    }
    void TearDown() override
    {
        frontEnd.Deactivate();
        CVideo::pBackBuffer = nullptr;
        GfxFileTest::TearDown();
    }

    video_test::ScopedHeadlessVideo video { 1024, 768, false };
    CImage screen { 1024, 768, 16, IMAGE_SYSTEM };
    CNewFrontEnd frontEnd;
};

TEST_F(FrontEnd, NumbersWithoutAPageChangeNothing)
{
    for (int page : { 10, 14, 15, kPageSinglePlayer, kPageConnection, kPageCredits }) {
        frontEnd.Activate(page);
        EXPECT_FALSE(frontEnd.IsActive()) << page;
        EXPECT_EQ(frontEnd.GetPage(), nullptr) << page;
    }
    frontEnd.Activate(kPageMainMenu);
    EXPECT_TRUE(frontEnd.IsActive());
    ASSERT_NE(frontEnd.GetPage(), nullptr);
    EXPECT_EQ(frontEnd.GetPage()->GetThis(), kPageMainMenu);
    EXPECT_EQ(frontEnd.GetHistoryCount(), 0);
    EXPECT_EQ(frontEnd.GetSeed(), 4711u);
}

TEST_F(FrontEnd, TheMenuRowStandsAtTheBottomAndOnlyExitWorks)
{
    frontEnd.Activate(kPageMainMenu);
    auto* menu = dynamic_cast<CFrontEndMain*>(frontEnd.GetPage());
    ASSERT_NE(menu, nullptr);
    const int w = 100;
    const int left[] = { 512 - 2 * w, 512 - w, 512, 512 + w };
    for (int i = 0; i < CFrontEndMain::kButtonCount; ++i) {
        CRZBtn* button = menu->GetButton(i);
        EXPECT_EQ(button->GetWidth(), w);
        EXPECT_EQ(button->GetPosition(), CPoint(left[i], 640)) << i;
        EXPECT_EQ(button->IsDisabled(), i != CFrontEndMain::kExit) << i;
    }
    // The disabled buttons' hot keys and clicks do nothing, also after the pause.
    for (int i = 0; i < 5; ++i) {
        CRZGenericEvent tick(_CRZEVT_TIMER_TICK_LOOP_, ALLID);
        EXPECT_EQ(frontEnd.Update(&tick), UPDATE_TAKEN);
    }
    CRZInputEvent single(_CRZEVT_KEYUP_, 's', 0, CPoint());
    EXPECT_EQ(frontEnd.Update(&single), UPDATE_NOT_TAKEN);
    CRZInputEvent click(_CRZEVT_MOUSELBDOWN_, 0, 0, CPoint(left[0] + 50, 660));
    frontEnd.Update(&click);
    EXPECT_EQ(frontEnd.GetPage(), menu);
    Windows::MSG message;
    EXPECT_FALSE(Windows::PeekMessageA(&message, nullptr, 0, 0, Windows::PM_NOREMOVE));
}

TEST_F(FrontEnd, ExitReactsFromTheSixthEventAndPostsTheDestroyMessage)
{
    frontEnd.Activate(kPageMainMenu);
    Windows::MSG message;
    for (int event = 1; event <= 6; ++event) {
        CRZInputEvent exit(_CRZEVT_KEYUP_, 14, 0, CPoint());
        const int answer = frontEnd.Update(&exit);
        const bool posted = Windows::PeekMessageA(&message, nullptr, 0, 0, Windows::PM_REMOVE);
        if (event <= 5) {
            EXPECT_EQ(answer, UPDATE_TAKEN) << event;
            EXPECT_FALSE(posted) << event;
        } else {
            ASSERT_TRUE(posted);
            EXPECT_EQ(message.message, 2u);
        }
    }
    // The menu stays until the window goes.
    EXPECT_TRUE(frontEnd.IsActive());
}

} // namespace
