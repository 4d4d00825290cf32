// The console, a message box and a confirmation in the game window under Xvfb: F12 pushed as an SDL key
// opens the console through the game view, the window messages and the input component; "help" typed and
// Enter print the help lines over the darkened top left of the screen. VELLMARK_KEEP_SCREEN names a file
// prefix that receives the frames as bitmaps (<prefix>console.bmp, <prefix>box.bmp, <prefix>confirm.bmp).
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/window_procedure.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/window_messages.h"
#include "support/data_folder.h"
#include "text/new_text.h"
#include "widgets/confirm_dialog.h"
#include "widgets/console.h"
#include "widgets/dialog_player.h"
#include "widgets/game_window_fixture.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/input_recorder.h"
#include "widgets/message_box.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

// Input goes to the console first, as the interface offers it.
class CConsoleFirst : public CRZInterfaceHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
    CRZReturnType HandleInput(CRZInputEvent* event) override
    {
        return console ? console->HandleInput(event) : 0;
    }
    CConsole* console = nullptr;
};

SDL_Event Key(bool down, SDL_Keycode key)
{
    SDL_Event e {};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    return e;
}

SDL_Event Text(const char* text)
{
    SDL_Event e {};
    e.type = SDL_TEXTINPUT;
    for (int i = 0; text[i] != '\0' && i < 30; ++i)
        e.text.text[i] = text[i];
    return e;
}

class ConsoleWindow : public widgets_test::GameWindowTest {
protected:
    void SetUp() override
    {
        SetUpWindow("console", &mFirst);
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
        CRZGenericButton::InitSprites();
        CWindow::InitClass();
        gpWindowsTiles16 = new CWindowsTiles(16);
        mConsole = std::make_unique<CConsole>();
        CInput::_pConsole = mConsole.get();
        mFirst.console = mConsole.get();
    }
    void TearDown() override
    {
        mConsole.reset();
        delete gpWindowsTiles16;
        gpWindowsTiles16 = nullptr;
        CWindow::ShutdownClass();
        CRZGenericButton::DeInitSprites();
        TextStrings.DeleteAll();
        GameWindowTest::TearDown();
    }

    // Presents the back buffer and keeps it as <prefix><name>.bmp when asked to.
    void Keep(const char* name)
    {
        CVideo::Update();
        ASSERT_EQ(CVideo::SaveScreen(nullptr), 1);
        const fs::path saved = support::gDataFolder + "/ScreenSave0.bmp";
        ASSERT_TRUE(fs::exists(saved));
        if (const char* keep = std::getenv("VELLMARK_KEEP_SCREEN"))
            fs::copy_file(saved, std::string(keep) + name + ".bmp", fs::copy_options::overwrite_existing);
        fs::remove(saved);
    }

    std::unique_ptr<CConsole> mConsole;
    CConsoleFirst mFirst;
};

TEST_F(ConsoleWindow, F12OpensTheConsoleAndHelpWithEnterShowsTheHelpLines)
{
    Push(Key(true, SDLK_F12));
    Push(Key(false, SDLK_F12));
    Pump();
    ASSERT_TRUE(mConsole->IsOpen());
    EXPECT_EQ(mConsole->GetHeight(), CConsole::kOpenHeight);

    Push(Key(true, SDLK_h));
    Push(Text("help"));
    Push(Key(false, SDLK_h));
    Pump();
    EXPECT_EQ(mConsole->GetInput(), "help");
    Push(Key(true, SDLK_RETURN));
    Push(Key(false, SDLK_RETURN));
    Pump();
    EXPECT_EQ(mConsole->GetInput(), "");
    ASSERT_GE(mConsole->GetHistory().size(), 14u);
    EXPECT_EQ(mConsole->GetHistory().front().text, "%070READY.\n");
    EXPECT_EQ(mConsole->GetHistory()[12].text, "%070     Help\n");
    EXPECT_EQ(mConsole->GetHistory()[13].text, "help");

    // The top left 512 by 300 of a 1024-wide buffer is the console's; here half of 640 by 300.
    CImage* back = CVideo::pBackBuffer;
    const std::uint16_t ground = CVideo::TrueToHigh(200, 160, 120);
    back->Fill16Bit(ground);
    CImage reference(4, 4, 16, IMAGE_SYSTEM);
    reference.Fill16Bit(ground);
    const CRect all(0, 0, 3, 3);
    reference.HalfIntensity(&all);
    const std::uint16_t half = video_test::Pixel16(&reference, 1, 1);
    ASSERT_NE(half, ground);
    mConsole->Draw(DRAW_TYPE_0);
    EXPECT_EQ(video_test::Pixel16(back, kWidth / 2 - 4, 2), half);
    EXPECT_EQ(video_test::Pixel16(back, kWidth / 2 + 4, 2), ground);
    EXPECT_EQ(video_test::Pixel16(back, 600, 150), ground);
    EXPECT_EQ(video_test::Pixel16(back, 100, 310), ground);
    Keep("console");

    Push(Key(true, SDLK_F12));
    Pump();
    EXPECT_FALSE(mConsole->IsOpen());
}

TEST_F(ConsoleWindow, AMessageBoxAndAConfirmationOnScreen)
{
    CImage* back = CVideo::pBackBuffer;
    back->Fill16Bit(CVideo::TrueToHigh(40, 60, 40));
    CMessageBox box("A letter from Aldmere",
        "The harvest was good this year and the granaries of Aldmere are full. Your steward asks leave to "
        "sell the surplus at the autumn fair.",
        4);
    CWindow::ClearSBuffer();
    box.Draw(DRAW_TYPE_0);
    Keep("box");

    back->Fill16Bit(CVideo::TrueToHigh(40, 60, 40));
    widgets_test::CRecordingPlayer player;
    CActionConfirmDialog confirm("Disband the levy of Aldmere? The men go home to their fields.", 3, &player);
    confirm.Init();
    confirm.Draw(DRAW_TYPE_0);
    Keep("confirm");
}

} // namespace
