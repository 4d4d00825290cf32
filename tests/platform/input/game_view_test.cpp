// The game view's translation of injected SDL events into the game's message sequences, and the
// cursor rules: clamped positions, the background centre and the cursor's re-show position.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstring>
#include <vector>

#include "platform/host/fs_application.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/input_hooks.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

using namespace Windows;
using input_test::At;
using input_test::Msg;

namespace {

SDL_Event Key(bool down, SDL_Keycode key, std::uint16_t mod = 0)
{
    SDL_Event e {};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event Text(const char* text)
{
    SDL_Event e {};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    return e;
}

SDL_Event Button(bool down, int x, int y, Uint8 clicks = 1, Uint8 button = SDL_BUTTON_LEFT)
{
    SDL_Event e {};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event Motion(int x, int y)
{
    SDL_Event e {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event Wheel(float delta, int x, int y)
{
    SDL_Event e {};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = static_cast<Sint32>(delta);
    e.wheel.preciseY = delta;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = x;
    e.wheel.mouseY = y;
    return e;
}

class GameView : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        Ravel::gIsGameFrontmost = 1;
        mView.viewDidMoveToWindow();
        Taken();
    }
    void TearDown() override
    {
        Ravel::gIsGameFrontmost = 1;
        Taken();
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }

    // The events go through SDL's queue and are delivered one by one, as the host delivers them.
    std::vector<Msg> Run(const std::vector<SDL_Event>& events)
    {
        for (SDL_Event e : events)
            EXPECT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
        SDL_Event e;
        for (int guard = 0; guard < 100 && SDL_PollEvent(&e); ++guard)
            mView.handleEvent(e);
        return Taken();
    }
    static std::vector<Msg> Taken() { return input_test::TakeMessages(); }

    // No game window: the view stands for a 640 by 480 game area.
    Ravel::GameOpenGLView mView { 640, 480 };
};

TEST_F(GameView, MouseSequences)
{
    const struct {
        const char* name;
        std::vector<SDL_Event> events;
        std::vector<Msg> expected;
    } kCases[] = {
        { "control-click is the right button",
            { Key(true, SDLK_LCTRL, KMOD_LCTRL), Button(true, 10, 20), Button(false, 11, 21),
                Key(false, SDLK_LCTRL), Motion(30, 40) },
            { { WM_KEYDOWN, 0x11, 0 }, { WM_MOUSEMOVE, 0, At(10, 20) }, { WM_RBUTTONDOWN, 2, At(10, 20) },
                { WM_MOUSEMOVE, 2, At(11, 21) }, { WM_RBUTTONUP, 0, At(11, 21) }, { WM_KEYUP, 0x11, 0 },
                { WM_MOUSEMOVE, 0, At(30, 40) } } },
        { "double click",
            { Button(true, 5, 6), Button(false, 5, 6), Button(true, 5, 6, 2), Button(false, 5, 6, 2) },
            { { WM_MOUSEMOVE, 0, At(5, 6) }, { WM_LBUTTONDOWN, 1, At(5, 6) }, { WM_MOUSEMOVE, 1, At(5, 6) },
                { WM_LBUTTONUP, 0, At(5, 6) }, { WM_MOUSEMOVE, 0, At(5, 6) },
                { WM_LBUTTONDBLCLK, 1, At(5, 6) }, { WM_MOUSEMOVE, 1, At(5, 6) },
                { WM_LBUTTONUP, 0, At(5, 6) } } },
        { "right button has no move in front",
            { Button(true, 7, 8, 1, SDL_BUTTON_RIGHT), Motion(9, 9), Button(false, 7, 8, 1, SDL_BUTTON_RIGHT),
                Button(true, 1, 1, 1, SDL_BUTTON_MIDDLE) },
            { { WM_RBUTTONDOWN, 2, At(7, 8) }, { WM_MOUSEMOVE, 2, At(9, 9) },
                { WM_RBUTTONUP, 0, At(7, 8) } } },
        { "wheel steps", { Wheel(1.0F, 3, 4), Wheel(-1.0F, 3, 4) },
            { { WM_MOUSEWHEEL, 0x00140000, At(3, 4) }, { WM_MOUSEWHEEL, 0xFFEC0000, At(3, 4) } } },
        { "a release dragged out of the view is clamped; the move goes to the centre",
            { Button(true, 600, 10), Button(false, 700, -30), Wheel(1.0F, -5, 900) },
            { { WM_MOUSEMOVE, 0, At(600, 10) }, { WM_LBUTTONDOWN, 1, At(600, 10) },
                { WM_MOUSEMOVE, 1, At(320, 240) }, { WM_LBUTTONUP, 0, At(639, 0) },
                { WM_MOUSEWHEEL, 0x00140000, At(0, 479) } } },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Run(c.events), c.expected) << c.name;
}

TEST_F(GameView, KeySequences)
{
    const struct {
        const char* name;
        std::vector<SDL_Event> events;
        std::vector<Msg> expected;
    } kCases[] = {
        { "shift and A",
            { Key(true, SDLK_LSHIFT, KMOD_LSHIFT), Key(true, SDLK_a, KMOD_LSHIFT), Text("A"),
                Key(false, SDLK_a, KMOD_LSHIFT), Key(false, SDLK_LSHIFT) },
            { { WM_KEYDOWN, 0x10, 0 }, { WM_CHAR, 0x41, 0 }, { WM_KEYDOWN, 0x41, 0 }, { WM_KEYUP, 0x41, 0 },
                { WM_KEYUP, 0x10, 0 } } },
        { "the modifiers come between the character and the key",
            { Key(true, SDLK_q, KMOD_LSHIFT | KMOD_LALT), Text("Q"), Key(false, SDLK_q) },
            { { WM_CHAR, 'Q', 0 }, { WM_KEYDOWN, 0x10, 0 }, { WM_KEYDOWN, 0x12, 0 }, { WM_KEYDOWN, 'Q', 0 },
                { WM_KEYUP, 0x10, 0 }, { WM_KEYUP, 0x12, 0 }, { WM_KEYUP, 'Q', 0 } } },
        { "keypad digits type digits",
            { Key(true, SDLK_KP_5), Text("5"), Key(true, SDLK_KP_PERIOD), Text(".") },
            { { WM_CHAR, '5', 0 }, { WM_KEYDOWN, 0x65, 0 }, { WM_CHAR, '.', 0 }, { WM_KEYDOWN, 0x6E, 0 } } },
        { "F13 and Caps Lock send nothing",
            { Key(true, SDLK_F13), Key(false, SDLK_F13), Key(true, SDLK_CAPSLOCK) }, {} },
        { "function, arrow and editing keys",
            { Key(true, SDLK_F1), Key(true, SDLK_F12), Key(true, SDLK_UP), Key(true, SDLK_PAGEDOWN),
                Key(true, SDLK_DELETE), Key(true, SDLK_HELP) },
            { { WM_KEYDOWN, 0x70, 0 }, { WM_KEYDOWN, 0x7B, 0 }, { WM_KEYDOWN, 0x26, 0 },
                { WM_KEYDOWN, 0x22, 0 }, { WM_KEYDOWN, 0x2E, 0 }, { WM_KEYDOWN, 0x2D, 0 } } },
        { "keys that type without a text",
            { Key(true, SDLK_BACKSPACE), Key(true, SDLK_RETURN), Key(true, SDLK_KP_ENTER),
                Key(true, SDLK_ESCAPE) },
            { { WM_CHAR, 8, 0 }, { WM_KEYDOWN, 8, 0 }, { WM_CHAR, 13, 0 }, { WM_KEYDOWN, 13, 0 },
                { WM_CHAR, 13, 0 }, { WM_KEYDOWN, 13, 0 }, { WM_CHAR, 27, 0 }, { WM_KEYDOWN, 27, 0 } } },
        { "text without a key: every character, malformed bytes dropped",
            { Text("\xC3\xA9z\xFF\xE2\x82\xAC") },
            { { WM_CHAR, 0xE9, 0 }, { WM_CHAR, 'z', 0 }, { WM_CHAR, 0x20AC, 0 } } },
        { "a text that does not follow at once stays its own",
            { Key(true, SDLK_b), Key(true, SDLK_LEFT), Text("b") },
            { { WM_KEYDOWN, 'B', 0 }, { WM_KEYDOWN, 0x25, 0 }, { WM_CHAR, 'b', 0 } } },
    };
    for (const auto& c : kCases)
        EXPECT_EQ(Run(c.events), c.expected) << c.name;
}

TEST_F(GameView, CursorFollowsTheGame)
{
    // In the background every move goes to the centre, and GetCursorPos answers it too.
    Ravel::gIsGameFrontmost = 0;
    EXPECT_EQ(Run({ Motion(100, 200) }), (std::vector<Msg> { { WM_MOUSEMOVE, 0, At(320, 240) } }));
    EXPECT_FALSE(mView.ownMouse());
    POINT p {};
    EXPECT_EQ(GetCursorPos(&p), TRUE);
    EXPECT_EQ(p.x, 320);
    EXPECT_EQ(p.y, 240);

    Ravel::gIsGameFrontmost = 1;
    EXPECT_EQ(Run({ Motion(100, 200) }), (std::vector<Msg> { { WM_MOUSEMOVE, 0, At(100, 200) } }));
    EXPECT_TRUE(mView.ownMouse());
    EXPECT_EQ(GetCursorPos(&p), TRUE);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 200);

    // Hiding and showing the cursor re-runs the mouse update where the mouse really was.
    EXPECT_EQ(ShowCursor(FALSE), 0);
    EXPECT_FALSE(mView.cursorVisible());
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_TRUE(mView.cursorVisible());
    EXPECT_EQ(
        Taken(), (std::vector<Msg> { { WM_MOUSEMOVE, 0, At(100, 200) }, { WM_MOUSEMOVE, 0, At(100, 200) } }));
}

} // namespace
