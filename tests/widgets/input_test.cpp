// The input component and the window procedure's input rows: game key codes, the console key, typed
// characters, held buttons, the wheel, and the cursor clamped to the back buffer.
#include <gtest/gtest.h>

#include "app/window_procedure.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "platform/host/fs_application.h"
#include "platform/input/window_messages.h"
#include "widgets/input_recorder.h"

#include "foundation/safeguards.h"

namespace {

using widgets_test::Seen;

Windows::LPARAM At(int x, int y)
{
    return static_cast<Windows::LPARAM>(
        static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16));
}

void Send(Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam = 0)
{
    MessageHandlingProcedure(Windows::kGameWindowHandle, message, wParam, lParam);
}

class CFakeConsole : public CConsoleToggle {
public:
    void Toggle(CRZEvent* event) override
    {
        toggles += event->GetType() == _CRZEVT_TOGGLE_CONSOLE_ ? 1 : 100;
    }
    int toggles = 0;
};

class Input : public testing::Test {
protected:
    void SetUp() override
    {
        CVideo::pBackBuffer = &screen;
        CVideo::FrontClipper = CRect();
    }
    void TearDown() override
    {
        CVideo::pBackBuffer = nullptr;
        CInput::_pConsole = nullptr;
        Ravel::gIsGameFrontmost = 1;
    }
    video_test::ScopedHeadlessVideo video { 320, 240, false };
    CImage screen { 320, 240, 16, IMAGE_SYSTEM };
    widgets_test::ScopedInput input;
};

TEST_F(Input, SpecialKeysPostTheGameKeyCodesWithAndWithoutShift)
{
    const struct {
        unsigned key;
        bool shift;
        int code;
    } kCases[] = { { 112, false, 255 }, { 112, true, 256 }, { 116, true, 260 }, { 33, false, 260 },
        { 9, false, 267 }, { 123, true, 267 }, { 27, false, 14 }, { 122, false, 266 }, { 37, true, 3 },
        { 220, false, -89 } };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.key);
        if (c.shift)
            Send(Windows::WM_KEYDOWN, 16);
        Send(Windows::WM_KEYDOWN, c.key, 0x1234);
        Send(Windows::WM_KEYUP, c.key);
        Send(Windows::WM_KEYUP, 16);
        EXPECT_EQ(input.recorder.Take(), (std::vector<Seen> { { _CRZEVT_KEYUP_, c.code, 0x1234, 0, 0 } }));
    }
    // Modifiers and keys outside the table post nothing.
    for (unsigned key : { 16u, 17u, 65u, 13u })
        Send(Windows::WM_KEYDOWN, key);
    EXPECT_EQ(CInput::_isShift, 1);
    EXPECT_EQ(CInput::_isControl, 1);
    Send(Windows::WM_KEYUP, 16);
    Send(Windows::WM_KEYUP, 17);
    EXPECT_EQ(CInput::_isShift, 0);
    EXPECT_EQ(CInput::_isControl, 0);
    EXPECT_TRUE(input.recorder.Take().empty());
}

TEST_F(Input, F12TogglesTheConsoleAtOnceWhileOneExists)
{
    Send(Windows::WM_KEYDOWN, 123);
    CFakeConsole console;
    CInput::_pConsole = &console;
    Send(Windows::WM_KEYDOWN, 123);
    Send(Windows::WM_KEYDOWN, 123);
    EXPECT_EQ(console.toggles, 2);
    EXPECT_TRUE(input.recorder.Take().empty());
}

TEST_F(Input, TypedCharactersPostTheirCodeButNotTheOnesTheKeysSend)
{
    for (unsigned character : { 97u, 17u, 0xA7u, 0xFFFFFFA7u, 43u })
        Send(Windows::WM_CHAR, character, 5);
    EXPECT_EQ(input.recorder.Take(),
        (std::vector<Seen> { { _CRZEVT_KEYUP_, 97, 5, 0, 0 }, { _CRZEVT_KEYUP_, 43, 5, 0, 0 } }));
}

TEST_F(Input, NothingIsPostedBeforeTheClockExists)
{
    delete gpTimer;
    gpTimer = nullptr;
    Send(Windows::WM_LBUTTONDOWN, 1, At(5, 6));
    Send(Windows::WM_KEYDOWN, 112);
    EXPECT_EQ(CInput::_isLeftButton, 0);
    EXPECT_TRUE(input.recorder.Take().empty());
}

TEST_F(Input, AHeldLeftButtonPostsOneHeldEventPerFrameAtTheSamePlace)
{
    Ravel::gIsGameFrontmost = 0; // the cursor reads as the centre of the game area, beyond the back buffer
    gpInput->Update();
    input.recorder.Take();
    Send(Windows::WM_LBUTTONDOWN, Windows::MK_LBUTTON, At(40, 50));
    EXPECT_EQ(CInput::LeftButtonHold(), 1);
    for (int frame = 0; frame < 3; ++frame)
        gpInput->Update();
    Send(Windows::WM_LBUTTONUP, 0, At(41, 50));
    gpInput->Update();
    const Seen held { _CRZEVT_MOUSELBHELD_, 0, 0, 319, 239 };
    EXPECT_EQ(input.recorder.Take(),
        (std::vector<Seen> { { _CRZEVT_MOUSELBDOWN_, 0, Windows::MK_LBUTTON, 40, 50 }, held, held, held,
            { _CRZEVT_MOUSELBUP_, 0, 0, 41, 50 } }));
}

TEST_F(Input, TheCursorIsClampedToTheBackBufferAndZeroLeftOfTheGameArea)
{
    Ravel::gIsGameFrontmost = 0;
    Windows::POINT centre {};
    Windows::GetCursorPos(&centre);
    ASSERT_GE(centre.x, 320);
    ASSERT_GE(centre.y, 240);
    gpInput->Update();
    EXPECT_EQ(
        input.recorder.Take(), (std::vector<Seen> { { _CRZEVT_MOUSEMOVE_, 0, 0, centre.x, centre.y } }));
    EXPECT_EQ(CInput::_ClippedPos, CPoint(319, 239));
    EXPECT_EQ(CInput::_RelativePos, CPoint(centre.x, centre.y));
    CInput::_MouseOffset = CPoint(300, 200);
    EXPECT_EQ(CInput::GetMousePosition(), CPoint(19, 39));
    CInput::_MouseOffset = CPoint();
    // An unmoved cursor posts no movement.
    gpInput->Update();
    EXPECT_TRUE(input.recorder.Take().empty());
    CVideo::FrontClipper = CRect(centre.x + 1, centre.y + 1, 1600, 1200);
    gpInput->Update();
    EXPECT_EQ(CInput::_ClippedPos, CPoint(0, 0));
    EXPECT_EQ(input.recorder.Take(), (std::vector<Seen> { { _CRZEVT_MOUSEMOVE_, 0, 0, 0, 0 } }));
}

TEST_F(Input, TheWheelPostsItsDirectionRelativeToTheGameArea)
{
    CVideo::FrontClipper = CRect(10, 20, 330, 260);
    const struct {
        int delta;
        int direction;
    } kCases[] = { { 120, 1 }, { -240, -1 }, { 0, 0 } };
    for (const auto& c : kCases) {
        Send(Windows::WM_MOUSEWHEEL, static_cast<std::uint32_t>(static_cast<std::uint16_t>(c.delta)) << 16,
            At(100, 100));
        EXPECT_EQ(
            input.recorder.Take(), (std::vector<Seen> { { _CRZEVT_MOUSEWHEEL_, 0, c.direction, 90, 80 } }));
    }
}

TEST_F(Input, RightButtonsAndDoubleClicksCarryTheirKeyStateAndPlace)
{
    Send(Windows::WM_RBUTTONDOWN, Windows::MK_RBUTTON, At(7, 8));
    EXPECT_EQ(CInput::_isRightButton, 1);
    Send(Windows::WM_RBUTTONUP, 0, At(7, 9));
    EXPECT_EQ(CInput::_isRightButton, 0);
    Send(Windows::WM_LBUTTONDBLCLK, Windows::MK_LBUTTON, At(3, 4));
    EXPECT_EQ(input.recorder.Take(),
        (std::vector<Seen> { { _CRZEVT_MOUSERBDOWN_, 0, 2, 7, 8 }, { _CRZEVT_MOUSERBUP_, 0, 0, 7, 9 },
            { _CRZEVT_MOUSELBDOUBLECLICK_, 0, 1, 3, 4 } }));
}

} // namespace

namespace {

TEST_F(Input, TheMiddleStateHoldsBackButtonsUntilAKeyIsReleased)
{
    CInput::_isMiddle = 1;
    Send(Windows::WM_LBUTTONDOWN, 1, At(5, 6));
    Send(Windows::WM_RBUTTONUP, 0, At(5, 6));
    EXPECT_TRUE(input.recorder.Take().empty());
    EXPECT_EQ(CInput::_isLeftButton, 0);
    Send(Windows::WM_KEYUP, 'A');
    EXPECT_EQ(CInput::_isMiddle, 0);
    input.recorder.Take();
    Send(Windows::WM_LBUTTONDOWN, 1, At(5, 6));
    EXPECT_EQ(input.recorder.Take(), (std::vector<Seen> { { _CRZEVT_MOUSELBDOWN_, 0, 1, 5, 6 } }));
}

TEST_F(Input, LosingTheForegroundStopsTheClockAndRegainingItRestartsIt)
{
    gpTimer->SetRunning(true);
    Send(28, 0);
    EXPECT_EQ(isActive, 0);
    EXPECT_FALSE(gpTimer->IsRunning());
    Send(28, 1);
    EXPECT_EQ(isActive, 1);
}

} // namespace
