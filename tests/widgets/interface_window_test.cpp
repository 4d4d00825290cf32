// The interface in the game window under Xvfb at 1024 by 768, with the generated side panel and
// "db\buttons.txt": SDL clicks pushed at a side-panel button reach it through the game view, the window
// messages, the input queue and the interface; the presented frame shows its down frame between press
// and release, its handler gets its id at the release, and left of x 244 the top, middle and bottom
// pieces stand stacked. VELLMARK_KEEP_SCREEN names a file that receives the pressed frame as a bitmap.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "gfx/video_fixture.h"
#include "support/data_folder.h"
#include "support/fake_game.h"
#include "text/new_text.h"
#include "widgets/generated_interface.h"
#include "widgets/input_recorder.h"
#include "widgets/interface.h"
#include "widgets/interface_button.h"
#include "widgets/sdl_input.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

class CPressRecorder : public CButtonHandler {
public:
    void HandleButtonPressed(int id) override { pressed.push_back(id); }
    std::vector<int> pressed;
};

class InterfaceWindow : public fixture::GfxFileTest {
protected:
    static void SetUpTestSuite() { widgets_test::GenerateTinyFolder(); }
    void SetUp() override
    {
        GfxFileTest::SetUp();
        mWindow = std::make_unique<video_test::ScopedGameWindow>(kWidth, kHeight, "interface");
        ASSERT_TRUE(mWindow->ok());
        CImageBase::InitAlpha();
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        ASSERT_TRUE(TextStrings.Init(static_cast<RZLanguageType>(0)));
        CWindow::InitClass();
        mView.viewDidMoveToWindow();
        mInput = std::make_unique<widgets_test::ScopedInput>();
        gEventRoutes.game = &mGame;
        gpInterface = new CInterface();
        gEventRoutes.gameInterface = gpInterface;
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override
    {
        mDB.reset();
        gEventRoutes.gameInterface = nullptr;
        delete gpInterface;
        gpInterface = nullptr;
        gEventRoutes.game = nullptr;
        mInput.reset();
        // Text buttons made their shared tiles on first use; shut-down frees them.
        CRZGenericButton::DeInitSprites();
        CWindow::ShutdownClass();
        TextStrings.DeleteAll();
        delete gpFontDB;
        gpFontDB = nullptr;
        mWindow.reset();
        GfxFileTest::TearDown();
    }

    // One frame's input, as the game loop takes it, then the interface's two passes presented.
    void Frame()
    {
        widgets_test::PumpInput(mView);
        CVideo::pBackBuffer->Fill16Bit(0);
        gpInterface->Draw(DRAW_TYPE_0);
        gpInterface->Draw(DRAW_TYPE_4);
        CVideo::Update();
    }
    void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    void PointerTo(int x, int y) { widgets_test::PointerTo(mWindow->GetWrapper(), x, y); }
    // The presented frame's pixel.
    static std::uint16_t Shown(int x, int y) { return video_test::Pixel16(CVideo::pFrontBuffer, x, y); }

    std::unique_ptr<video_test::ScopedGameWindow> mWindow;
    Ravel::GameOpenGLView mView { kWidth, kHeight };
    std::unique_ptr<widgets_test::ScopedInput> mInput;
    CStartedGame mGame;
    std::unique_ptr<CRZButtonDB> mDB;
};

TEST_F(InterfaceWindow, AClickedSidePanelButtonShowsItsDownFrameUntilReleasedAndHandsItsIdOn)
{
    mDB = std::make_unique<CRZButtonDB>("db\\buttons.txt");
    ASSERT_TRUE(mDB->IsLoaded());
    const int id = GetInterfaceButtonID("BUTTON_SPLIT_ARMY");
    CRZInterfaceBaseBtn* button = mDB->GetButton(id);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->GetUpList().IsEmpty());
    CPressRecorder handler;
    button->SetHandler(&handler);
    button->SetShowPos(CPoint(60, 150));
    const CPoint centre(60 + button->GetFrameWidth() / 2, 150 + button->GetHeight() / 2);
    CImage* faces = button->GetImage();
    // The icon covers the middle; the button's own frame shows at its corner.
    const auto face
        = [&](int frame) { return video_test::Pixel16(faces, frame * button->GetFrameWidth() + 1, 1); };
    ASSERT_NE(face(BUTTON_FRAME_UP), face(BUTTON_FRAME_DOWN));

    PointerTo(centre.x, centre.y);
    Frame();
    EXPECT_NE(Shown(61, 151), face(BUTTON_FRAME_DOWN));

    Push(widgets_test::MouseButton(true, centre.x, centre.y));
    Frame();
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(button->GetFrame(), BUTTON_FRAME_DOWN);
    EXPECT_EQ(Shown(61, 151), face(BUTTON_FRAME_DOWN)) << "the presented frame shows the down face";
    EXPECT_TRUE(handler.pressed.empty()) << "nothing before the release";
    ASSERT_EQ(CVideo::SaveScreen(nullptr), 1);

    Push(widgets_test::MouseButton(false, centre.x, centre.y));
    Frame();
    EXPECT_EQ(handler.pressed, std::vector<int> { id });
    EXPECT_TRUE(button->isUp()) << "without an up list it springs back";
    EXPECT_NE(Shown(61, 151), face(BUTTON_FRAME_DOWN));

    // Left of x 244 the side panel's pieces stand stacked from the top.
    int y = 0;
    for (int piece = 0; piece < 3; ++piece) {
        CSprite* sprite = gpInterface->GetSidePiece(piece);
        SCOPED_TRACE(piece);
        CImage* image = sprite->GetImage();
        for (const CPoint p :
            { CPoint(5, 5), CPoint(200, sprite->GetHeight() - 3), CPoint(kSidePanelWidth - 2, 9) })
            EXPECT_EQ(Shown(p.x, y + p.y), video_test::Pixel16(image, p.x, p.y)) << p.x << ", " << p.y;
        y += sprite->GetHeight();
    }
    EXPECT_EQ(Shown(kSidePanelWidth + 10, 10), 0) << "the side panel ends at x 244";

    const fs::path saved = support::gDataFolder + "/ScreenSave0.bmp";
    ASSERT_TRUE(fs::exists(saved));
    if (const char* keep = std::getenv("VELLMARK_KEEP_SCREEN"))
        fs::copy_file(saved, keep, fs::copy_options::overwrite_existing);
}

} // namespace
