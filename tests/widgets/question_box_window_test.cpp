// The question box and its neighbours in the game window under Xvfb: a left click made as SDL events on
// the first button of a "QUIT" box goes through the game view, the window messages, the input queue and
// the interface to the box, which posts its answer and leaves the interface's windows. Then an open
// drop-down, a row of trait icons and a call to defend a vassal are drawn; VELLMARK_KEEP_SCREEN names a
// file that receives that frame as a bitmap.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "characters/character.h"
#include "characters/trait.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "gfx/bitmap_fixture.h"
#include "gfx/display_list.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video_fixture.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/input/game_opengl_view.h"
#include "realms/country.h"
#include "realms/request.h"
#include "support/data_folder.h"
#include "support/fake_game.h"
#include "text/new_text.h"
#include "widgets/character_box.h"
#include "widgets/dialog_player.h"
#include "widgets/drop_down.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/input_recorder.h"
#include "widgets/interface.h"
#include "widgets/overlap_box.h"
#include "widgets/popup_dialog.h"
#include "widgets/question_box.h"
#include "widgets/sdl_input.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class QuestionBoxWindow : public fixture::GfxFileTest {
protected:
    static void SetUpTestSuite() { widgets_test::GenerateTinyFolder(); }
    void SetUp() override
    {
        GfxFileTest::SetUp();
        mWindow = std::make_unique<video_test::ScopedGameWindow>(kWidth, kHeight, "question box");
        ASSERT_TRUE(mWindow->ok());
        CImageBase::InitAlpha();
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        ASSERT_EQ(TextStrings.Init(RZ_LANGUAGE_0), 1);
        mView.viewDidMoveToWindow();
        mInput = std::make_unique<widgets_test::ScopedInput>();
        CWindow::InitClass();
        CRZGenericButton::InitSprites();
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        for (CRZCountryID id : { 5, 6, 7 })
            CRZCountry::ConstructCountry(id);
        player.country = CRZCountry::_pCountry[5];
        gWidgetHooks = {};
        gWidgetHooks.player = &player;
        gEventRoutes.game = &game;
        mInterface = std::make_unique<CInterface>();
        gpInterface = mInterface.get();
        gEventRoutes.gameInterface = gpInterface;
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override
    {
        gEventScheduler.Erase();
        gEventRoutes.gameInterface = nullptr;
        gpInterface = nullptr;
        mInterface.reset();
        gEventRoutes.game = nullptr;
        gWidgetHooks = {};
        gCharacterBoxHooks = {};
        CRZCountry::DeleteAll();
        CIdentity::TotalCleanup();
        CRZGenericButton::DeInitSprites();
        CWindow::ShutdownClass();
        mInput.reset();
        TextStrings.DeleteAll();
        delete gpFontDB;
        gpFontDB = nullptr;
        mWindow.reset();
        GfxFileTest::TearDown();
    }

    void Pump() { widgets_test::PumpInput(mView); }
    void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    void PointerTo(int x, int y) { widgets_test::PointerTo(mWindow->GetWrapper(), x, y); }
    bool HasWindow(CWindow* window)
    {
        bool found = false;
        gpInterface->GetWindows().ForEach([&](CDrawable* d) { found = found || d == window; });
        return found;
    }

    std::unique_ptr<video_test::ScopedGameWindow> mWindow;
    Ravel::GameOpenGLView mView { kWidth, kHeight };
    std::unique_ptr<widgets_test::ScopedInput> mInput;
    std::unique_ptr<CInterface> mInterface;
    CStartedGame game;
    widgets_test::CRecordingPlayer player;
};

TEST_F(QuestionBoxWindow, AClickOnTheFirstButtonOfAQuitBoxAnswersAndRemovesIt)
{
    auto* box = new CQuestionBox("QUIT", 0);
    box->MoveTo(300, 200);
    ASSERT_TRUE(HasWindow(box));
    EXPECT_TRUE(player.pause);
    CRZGenericButton* first = box->GetFirstButton();
    const CPoint at(300 + first->GetPosition().x + first->GetWidth() / 2,
        200 + first->GetPosition().y + first->GetHeight() / 2);
    // The real pointer goes there first: the input component reads it every frame.
    PointerTo(at.x, at.y);
    Pump();
    Push(widgets_test::MouseButton(true, at.x, at.y));
    Pump();
    ASSERT_TRUE(first->isDown());
    Push(widgets_test::MouseButton(false, at.x, at.y));
    Pump();
    EXPECT_FALSE(HasWindow(box)) << "the interface removed and destroyed the box";
    EXPECT_FALSE(player.pause);
    int answers = 0;
    gEventScheduler.ForEach([&](CRZEvent* e) {
        if (e->GetType() == _CRZEVT_QUESTIONBOX_OK_) {
            ++answers;
            EXPECT_EQ(e->GetReceiver(), CRZID(RZTYPE_COUNTRY, 5));
        }
        EXPECT_NE(e->GetType(), _CRZEVT_QUESTIONBOX_CANCEL_);
    });
    EXPECT_EQ(answers, 1);
}

TEST_F(QuestionBoxWindow, AnOpenDropDownATraitRowAndACallToArmsOnScreen)
{
    CImage* back = CVideo::pBackBuffer;
    back->Fill16Bit(CVideo::TrueToHigh(48, 40, 32));
    ASSERT_TRUE(CTraitType::Init());

    CDropDown box(180, 140, DROPDOWN_LIGHT);
    for (const char* realm : { "Aldmere", "Brannock", "Corvale", "Dunholt", "Estmarch", "Fenwick", "Garrow" })
        box.AddEntry(realm, realm[0], realm[0] != 'C');
    box.AddDisabledEntry("Hollin");
    box.MoveTo(20, 40);
    CRZInputEvent down(_CRZEVT_MOUSELBDOWN_, 0, 0, CPoint(20 + 180 - 8, 48));
    CRZInputEvent up(_CRZEVT_MOUSELBUP_, 0, 0, CPoint(20 + 180 - 8, 48));
    box.Update(&down);
    box.Update(&up);
    ASSERT_FALSE(box.IsClosed());

    CList<CBoxEntry*> traits;
    for (int trait : { 3, 17, 29, 45, 52, 70, 93 })
        traits.Append(new CTraitBoxEntry(trait));
    COverlapBox row(20, 220, 120, 24, traits, 0, false);
    CRZInputEvent hover(_CRZEVT_MOUSEMOVE_, 0, 0, CPoint(20 + 50, 230));
    row.Update(&hover);

    CWindow::ClearSBuffer();
    CRZCountry::_pCountry[6]->SetName("Aldmere");
    CRZCountry::_pCountry[7]->SetName("Brannock");
    auto* call = new CRZAnswerWarOnVassalWindow(&player, 6, 7);
    call->MoveTo(260, 40);
    // A request naming two characters: their portraits stand in the box's upper corners.
    gCharacterBoxHooks.MakePortrait = [](CCharacter* who) -> CRZBtn* {
        auto* portrait = new CRZBtn(128, 128, 16);
        portrait->SetTotalFrames(1);
        const int shade = static_cast<int>(who->GetID().number * 60 % 200);
        portrait->GetImage()->Fill16Bit(CVideo::TrueToHigh(200, 120 + shade / 4, shade));
        return portrait;
    };
    CCharacter bride;
    CCharacter groom;
    bride.Create(CRZID(RZTYPE_CHARACTER, 1));
    groom.Create(CRZID(RZTYPE_CHARACTER, 2));
    struct CMarriageRequest : CRequest {
        using CRequest::CRequest;
        void WriteToPopup(std::string (&parts)[8]) const override
        {
            parts[0] = "An envoy from Aldmere";
            parts[1] = "Marriage";
            parts[2] = "Aldmere proposes that our houses be joined.";
            parts[4] = "Will you give your consent?";
        }
    } request(CRZID(RZTYPE_DYNAMIC, 9), 6);
    request.Timestamp(CDate(1, 1, 1200));
    request.characters.Append(bride.GetID());
    request.characters.Append(groom.GetID());
    auto* ask = new CRZAnswerRequestWindow(&player, &request);
    ask->MoveTo(260, 260);
    box.Draw(DRAW_TYPE_0);
    row.Draw(DRAW_TYPE_0);
    call->Draw(DRAW_TYPE_0);
    ask->Draw(DRAW_TYPE_0);
    CVideo::Update();
    ASSERT_EQ(CVideo::SaveScreen(nullptr), 1);
    const fs::path saved = support::gDataFolder + "/ScreenSave0.bmp";
    ASSERT_TRUE(fs::exists(saved));
    if (const char* keep = std::getenv("VELLMARK_KEEP_SCREEN"))
        fs::copy_file(saved, keep, fs::copy_options::overwrite_existing);
    delete call;
    delete ask;
    CTraitType::Shutdown();
}

} // namespace
