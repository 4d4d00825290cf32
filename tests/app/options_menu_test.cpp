// The in-game options menu and options screen in the game window under Xvfb, driven by SDL mouse events
// through the game view, the window messages, the input component and the interface to the options route,
// on a tiny generated game: the tutorial's dead buttons, the save and export dialogs with the names they
// keep, the quit question of each kind of session, OK and CANCEL of the options screen and its sliders.
// VELLMARK_KEEP_SCREEN names a folder that receives the frames drawn as bitmaps.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_settings.h"
#include "app/headless.h"
#include "app/opt_main.h"
#include "app/settings.h"
#include "events/event_hooks.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "frontend/file_dialog.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "gfx/video.h"
#include "messages/message_handler.h"
#include "platform/elements/replace_file.h"
#include "platform/input/game_opengl_view.h"
#include "platform/sound/sound.h"
#include "realms/country.h"
#include "support/data_folder.h"
#include "widgets/button.h"
#include "widgets/dialog_player.h"
#include "widgets/edit_box.h"
#include "widgets/generated_interface.h"
#include "widgets/generic_button.h"
#include "widgets/interface.h"
#include "widgets/message_box.h"
#include "widgets/question_box.h"
#include "widgets/radio_button.h"
#include "widgets/sdl_input.h"
#include "widgets/widget_hooks.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

bool gTutorial = false;
int gPlayers = 1;

// The sound player as the options screen sets it: only the effect volume it was given last.
class CVolumeRecorder : public CSound {
public:
    int AddSound(int, const char*, Voices) override { return 0; }
    void RemoveSound(int) override { }
    void Play(int, PlayType, int, int) override { }
    void Stop(int) override { }
    void Pause(int) override { }
    void Resume(int) override { }
    void Pitch(int, int) override { }
    void Pan(int, int) override { }
    void Volume(int, int) override { }
    void Volume(int volume) override { volumes.push_back(volume); }
    int IsPlaying(int) override { return 0; }
    std::vector<int> volumes;
};

class CFakeNetwork : public CNetworkGroups {
public:
    bool IsActive() const override { return true; }
    int GetLocalPlayerNumber() const override { return 0; }
    int GetPlayerCount() const override { return 2; }
    bool GetPlayer(int, const char**, int*, unsigned long*) const override { return false; }
    void CreateGroup(const char*, int) override { }
    void CloseGroup(int) override { }
    void SendMessageToGroup(const char*, int) override { }
    void AddPlayerToGroup(unsigned long, int) override { }
    void RemovePlayerFromGroup(unsigned long, int) override { }
};

class CFakeSession : public CEventSession {
public:
    explicit CFakeSession(bool host)
        : mHost(host)
    {
    }
    bool IsHost() const override { return mHost; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }

private:
    bool mHost;
};

std::string InData(const std::string& name)
{
    return support::gDataFolder + "/" + name;
}

std::vector<char> ReadBytes(const std::string& name)
{
    std::ifstream in(InData(name), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

int32_t WordOf(const std::vector<char>& bytes, int word)
{
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data()) + 4 * word;
    return static_cast<int32_t>(at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<uint32_t>(at[3]) << 24));
}

class OptionsMenuWindow : public fixture::GfxFileTest {
protected:
    static void SetUpTestSuite() { widgets_test::GenerateTinyFolder(); }
    void SetUp() override
    {
        GfxFileTest::SetUp();
        ASSERT_TRUE(InitHeadlessTables(stderr));
        mWindow = std::make_unique<video_test::ScopedGameWindow>(kWidth, kHeight, "options");
        ASSERT_TRUE(mWindow->ok());
        CImageBase::InitAlpha();
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        mView.viewDidMoveToWindow();
        gpInput = new CInput();
        CInput::_isLeftButton = CInput::_isRightButton = CInput::_isShift = CInput::_isControl = 0;
        CInput::_PrevPos = CInput::_MouseOffset = CPoint();
        CWindow::InitClass();
        CRZGenericButton::InitSprites();
        gpGame = new CRZGame("scenarios\\tiny.rzg", 0);
        ASSERT_TRUE(gpGame->IsLoaded()) << gpGame->GetLoadError();
        fs::create_directories(InData("scenarios/save games"));
        settings = std::make_unique<CSettings>();
        gpSettings = settings.get();
        settings->Init();
        gTutorial = false;
        gPlayers = 1;
        gGameStateHooks.IsTutorialScenario = [] { return gTutorial; };
        gGameStateHooks.GetSessionPlayerCount = [] { return gPlayers; };
        player.country = CRZCountry::GetCountry(FirstRealm());
        gWidgetHooks.player = &player;
        gpSound = &sound;
        mInterface = std::make_unique<CInterface>();
        gpInterface = mInterface.get();
        gEventRoutes.gameInterface = gpInterface;
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        menu = new COptMain();
    }
    void TearDown() override
    {
        delete menu;
        EXPECT_EQ(gpOptions, nullptr);
        EXPECT_EQ(gEventRoutes.options, nullptr);
        gEventScheduler.EmptyInputList();
        gEventRoutes.gameInterface = nullptr;
        gpInterface = nullptr;
        mInterface.reset();
        gpSound = nullptr;
        gWidgetHooks = {};
        SetEventSession(nullptr);
        gpSettings = nullptr;
        settings.reset();
        delete gpGame;
        gpGame = nullptr;
        CRZGenericButton::DeInitSprites();
        CWindow::ShutdownClass();
        delete gpInput;
        gpInput = nullptr;
        delete gpFontDB;
        gpFontDB = nullptr;
        mWindow.reset();
        ShutDownHeadlessTables();
        GfxFileTest::TearDown();
    }

    static int FirstRealm()
    {
        for (int number = 1; number < static_cast<int>(kCountryTableSlots); ++number)
            if (CRZCountry::GetCountry(number) != nullptr && CRZCountry::IsRealCountry(number))
                return number;
        return 0;
    }

    void Pump() { widgets_test::PumpInput(mView); }
    void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }
    void PointerTo(CPoint at) { widgets_test::PointerTo(mWindow->GetWrapper(), at.x, at.y); }
    // A left click as the player makes it: the pointer there, pressed, released.
    void ClickAt(CPoint at)
    {
        PointerTo(at);
        Pump();
        Push(widgets_test::MouseButton(true, at.x, at.y));
        Pump();
        Push(widgets_test::MouseButton(false, at.x, at.y));
        Pump();
    }
    static CPoint Centre(CSprite* sprite)
    {
        const CPoint at = sprite->GetPosition();
        return CPoint(at.x + sprite->GetWidth() / 2, at.y + sprite->GetHeight() / 2);
    }
    void Click(CSprite* sprite) { ClickAt(Centre(sprite)); }
    // The pointer moved a little: an event after a click, which the message page takes its selection on.
    void Nudge()
    {
        const CPoint at = CInput::GetMousePosition();
        PointerTo(CPoint(at.x + 1, at.y));
        Pump();
    }
    // A list row's place is given when the list is drawn.
    void ClickRow(CNewListBoxEntry* row)
    {
        Frame();
        ClickAt(CPoint(row->GetPosition().x + 20, row->GetPosition().y + row->GetHeight() / 2));
    }
    // The knob pressed and dragged to the slider's place for the value, then let go.
    void Drag(CSlider& slider, int value)
    {
        const CPoint knob = Centre(&slider.GetKnob());
        PointerTo(knob);
        Pump();
        Push(widgets_test::MouseButton(true, knob.x, knob.y));
        Pump();
        const CPoint to(slider.GetPosition().x + slider.GetWidth() * value / 100, knob.y);
        PointerTo(to);
        Pump();
        Push(widgets_test::MouseButton(false, to.x, to.y));
        Pump();
    }
    void Frame()
    {
        if (CVideo::pBackBuffer != nullptr)
            CVideo::pBackBuffer->Fill16Bit(0);
        if (gpOptions != nullptr)
            gpOptions->Draw(DRAW_TYPE_0);
    }
    // The frame on screen, kept as "<name>.bmp" in the folder VELLMARK_KEEP_SCREEN names.
    void Keep(const char* name)
    {
        Frame();
        CVideo::Update();
        const char* keep = std::getenv("VELLMARK_KEEP_SCREEN");
        if (keep == nullptr)
            return;
        ASSERT_EQ(CVideo::SaveScreen(nullptr), 1);
        const fs::path saved = support::gDataFolder + "/ScreenSave0.bmp";
        fs::create_directories(keep);
        fs::copy_file(
            saved, fs::path(keep) / (std::string(name) + ".bmp"), fs::copy_options::overwrite_existing);
        fs::remove(saved);
    }
    template <class T> T* FindWindow()
    {
        T* found = nullptr;
        gpInterface->GetWindows().ForEach([&](CDrawable* d) {
            if (auto* window = dynamic_cast<T*>(d))
                found = window;
        });
        return found;
    }

    std::unique_ptr<video_test::ScopedGameWindow> mWindow;
    Ravel::GameOpenGLView mView { kWidth, kHeight };
    std::unique_ptr<CInterface> mInterface;
    std::unique_ptr<CSettings> settings;
    widgets_test::CRecordingPlayer player;
    CVolumeRecorder sound;
    COptMain* menu = nullptr;
};

TEST_F(OptionsMenuWindow, TheTutorialLeavesSaveAndExportDeadAndACancelledSaveRequestsNothing)
{
    EXPECT_EQ(gpOptions, menu);
    EXPECT_FALSE(gpTimer->IsRunning()) << "a single-player game stands still under the menu";
    Keep("menu");
    gTutorial = true;
    Click(menu->GetButton(COptMain::kSave));
    Click(menu->GetButton(COptMain::kExport));
    EXPECT_TRUE(menu->GetButton(COptMain::kSave)->IsDisabled());
    EXPECT_EQ(menu->GetFileDialog(), nullptr);

    gTutorial = false;
    menu->GetButton(COptMain::kSave)->Enable();
    Click(menu->GetButton(COptMain::kSave));
    ASSERT_TRUE(menu->IsSaveDialogOpen());
    CFileDialog* dialog = menu->GetFileDialog();
    EXPECT_STREQ(dialog->GetFolder(), "scenarios\\save games");
    // The offered name is the realm's, the year, the month and the day, with nothing that leaves the folder.
    const std::string offered = dialog->GetName();
    EXPECT_EQ(offered.find_first_of("/\\:"), std::string::npos) << offered;
    EXPECT_NE(offered.find("_1066_"), std::string::npos) << offered;
    Keep("save_dialog");
    Click(dialog->GetCancelButton());
    EXPECT_FALSE(menu->IsSaveDialogOpen());
    EXPECT_FALSE(menu->IsFinished());
    EXPECT_EQ(gEventRoutes.options, menu);
    gpGame->PollSaveLoad();
    EXPECT_TRUE(fs::is_empty(InData("scenarios/save games")));
}

TEST_F(OptionsMenuWindow, AConfirmedSaveIsWrittenInTheSaveFolderUnderASafeNameAtTheFramesEnd)
{
    Click(menu->GetButton(COptMain::kSave));
    ASSERT_TRUE(menu->IsSaveDialogOpen());
    menu->GetFileDialog()->GetNameField()->StoreString("../..\\Autumn/1070");
    Click(menu->GetFileDialog()->GetOKButton());
    EXPECT_TRUE(menu->IsFinished());
    EXPECT_EQ(gEventRoutes.options, nullptr) << "a finished menu takes no more events";
    EXPECT_EQ(gpOptions, nullptr);
    EXPECT_STREQ(gpGame->GetFileName(), "scenarios\\save games\\Autumn1070.rzg");
    EXPECT_FALSE(fs::exists(InData("scenarios/save games/Autumn1070.rzg")))
        << "saved only at the end of the frame";
    gpGame->PollSaveLoad();
    EXPECT_TRUE(fs::exists(InData("scenarios/save games/Autumn1070.rzg")));
    EXPECT_TRUE(fs::exists(InData("scenarios/save games/Autumn1070.rzg.cfg")));
}

TEST_F(OptionsMenuWindow, AnExportStaysInItsFolderAndAnExportThatWritesNothingSaysSo)
{
    fs::create_directories(InData("scenarios/rz2/Old campaign"));
    std::ofstream(InData("scenarios/rz2/Leinster.rzg")) << "x";
    Click(menu->GetButton(COptMain::kExport));
    ASSERT_TRUE(menu->IsExportDialogOpen());
    CFileDialog* dialog = menu->GetFileDialog();
    EXPECT_STREQ(dialog->GetName(), "");
    // Parent, folder and file lines: OK on a folder line does nothing; a file line clicked names the export.
    CNewListBox* list = dialog->GetList();
    ASSERT_EQ(list->GetSize(), 3);
    Frame();
    auto row = [&](int index) {
        auto it = list->GetHead();
        for (int i = 0; i < index; ++i)
            it++;
        return *it;
    };
    ClickRow(row(1));
    Click(dialog->GetOKButton());
    EXPECT_TRUE(menu->IsExportDialogOpen());
    ClickRow(row(2));
    EXPECT_STREQ(dialog->GetName(), "Leinster");
    dialog->GetNameField()->StoreString("..\\..\\config\x01");
    Click(dialog->GetOKButton());
    EXPECT_TRUE(menu->IsFinished());
    const std::vector<char> log = ReadBytes("history.txt");
    EXPECT_NE(
        std::string(log.begin(), log.end()).find("Export to scenarios\\rz2\\config.rzg"), std::string::npos);
    EXPECT_NE(FindWindow<CMessageBox>(), nullptr) << "the player is told that nothing was exported";
}

TEST_F(OptionsMenuWindow, QuitAsksTheQuestionOfTheSession)
{
    CFakeNetwork network;
    CFakeSession client(false);
    const struct {
        bool connected;
        bool host;
        const char* stem;
    } cases[] = { { false, true, "QUIT" }, { true, true, "QUITHOST" }, { true, false, "QUITCLIENT" } };
    for (const auto& c : cases) {
        gWidgetHooks.network = c.connected ? &network : nullptr;
        SetEventSession(c.host ? nullptr : &client);
        if (menu == nullptr)
            menu = new COptMain();
        Click(menu->GetButton(COptMain::kQuit));
        EXPECT_TRUE(menu->IsFinished()) << c.stem;
        EXPECT_EQ(gpOptions, nullptr) << c.stem;
        auto* box = FindWindow<CQuestionBox>();
        ASSERT_NE(box, nullptr) << c.stem;
        EXPECT_EQ(box->GetStem(), c.stem);
        gpInterface->GetWindows().Delete(box);
        delete menu;
        menu = nullptr;
    }
}

TEST_F(OptionsMenuWindow, OkKeepsSpeedAutosaveAndVolumesInConfigAndSaysWhenItCannot)
{
    Click(menu->GetButton(COptMain::kOptions));
    ASSERT_TRUE(menu->IsOptionsOpen());
    CGameSettings* screen = menu->GetSettings();
    ClickRow(screen->GetSpeedEntry());
    EXPECT_TRUE(screen->GetSpeedEntry()->IsChosen());
    Keep("options_speed");
    Click(screen->GetSpeedEntry()->GetChoiceButton(6));
    ClickRow(screen->GetAutosaveEntry());
    EXPECT_FALSE(screen->GetSpeedEntry()->IsChosen());
    Click(screen->GetAutosaveEntry()->GetChoiceButton(3));
    ClickRow(screen->GetEffectEntry());
    Drag(screen->GetEffectEntry()->GetSlider(), 30);
    ClickRow(screen->GetMusicEntry());
    Drag(screen->GetMusicEntry()->GetSlider(), 60);
    Keep("options_music");
    EXPECT_EQ(gpSettings->Record().gameSpeed, 2) << "nothing is kept before OK";
    Click(screen->GetOKButton());
    EXPECT_FALSE(menu->IsOptionsOpen());
    const std::vector<char> bytes = ReadBytes(kSettingsFile);
    ASSERT_EQ(bytes.size(), 1384u);
    EXPECT_EQ(WordOf(bytes, 339), 6);
    EXPECT_EQ(WordOf(bytes, 340), 30);
    EXPECT_EQ(WordOf(bytes, 341), 60);
    EXPECT_EQ(WordOf(bytes, 342), 3);
    EXPECT_EQ(sound.volumes.back(), 30);
    EXPECT_EQ(FindWindow<CMessageBox>(), nullptr);

    // A disk that refuses the file: the options hold for the session and the player is told.
    Click(menu->GetButton(COptMain::kOptions));
    screen = menu->GetSettings();
    ClickRow(screen->GetSpeedEntry());
    Click(screen->GetSpeedEntry()->GetChoiceButton(1));
    Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kRename);
    testing::internal::CaptureStderr();
    Click(screen->GetOKButton());
    testing::internal::GetCapturedStderr();
    Ravel::InjectReplaceFailure(Ravel::ReplaceStep::kNone);
    EXPECT_EQ(gpSettings->Record().gameSpeed, 1);
    EXPECT_EQ(WordOf(ReadBytes(kSettingsFile), 339), 6);
    EXPECT_NE(FindWindow<CMessageBox>(), nullptr);
}

TEST_F(OptionsMenuWindow, CancelAfterDraggingRestoresTheVolumesAndOnlyTheSelectedSliderIsDrawn)
{
    const std::vector<char> before = ReadBytes(kSettingsFile);
    Click(menu->GetButton(COptMain::kOptions));
    CGameSettings* screen = menu->GetSettings();
    ClickRow(screen->GetEffectEntry());
    Drag(screen->GetEffectEntry()->GetSlider(), 20);
    ClickRow(screen->GetMusicEntry());
    Drag(screen->GetMusicEntry()->GetSlider(), 40);
    EXPECT_EQ(screen->GetMusicEntry()->GetValue(), 40);
    EXPECT_EQ(sound.volumes.back(), 20) << "the player hears the effect volume while dragging";

    // Both sliders stand in one place: the music knob shows at 40, the effect knob's place at 20 is bare.
    CSlider& music = screen->GetMusicEntry()->GetSlider();
    const auto knobPixel = [&](int value) {
        const CPoint at(music.GetPosition().x + music.GetWidth() * value / 100, Centre(&music.GetKnob()).y);
        return video_test::Pixel16(CVideo::pBackBuffer, at.x, at.y);
    };
    Frame();
    const std::uint16_t musicShown[2] = { knobPixel(40), knobPixel(20) };
    ClickRow(screen->GetEffectEntry());
    Frame();
    const std::uint16_t effectShown[2] = { knobPixel(40), knobPixel(20) };
    EXPECT_NE(musicShown[0], effectShown[0]);
    EXPECT_NE(musicShown[1], effectShown[1]);

    Click(screen->GetCancelButton());
    EXPECT_FALSE(menu->IsOptionsOpen());
    EXPECT_EQ(gpSettings->Record().musicVolume, 100);
    EXPECT_EQ(gpSettings->Record().effectVolume, 100);
    EXPECT_EQ(sound.volumes.back(), 100);
    EXPECT_EQ(ReadBytes(kSettingsFile), before);
}

TEST_F(OptionsMenuWindow, InANetworkGameOfTwoTheSpeedChoicesAreDisabled)
{
    gPlayers = 2;
    Click(menu->GetButton(COptMain::kOptions));
    CGameSettings* screen = menu->GetSettings();
    ClickRow(screen->GetSpeedEntry());
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(screen->GetSpeedEntry()->GetChoiceButton(i)->IsDisabled()) << i;
    Click(screen->GetSpeedEntry()->GetChoiceButton(5));
    EXPECT_EQ(screen->GetSpeedEntry()->GetValue(), 2);
}

TEST_F(OptionsMenuWindow, TheMessagePageTakesItsChoicesBackOnCancel)
{
    Click(menu->GetButton(COptMain::kOptions));
    CGameSettings* screen = menu->GetSettings();
    Click(screen->GetMessagesButton());
    ASSERT_TRUE(screen->IsMessagePageOpen());
    const CMessType before = CMessageHandler::_MessType[24];
    // The first type line under the first heading.
    CNewListBox* list = gMessageHandler.GetSetupList();
    auto it = list->GetHead();
    it++;
    Frame();
    ClickRow(*it);
    Nudge();
    ASSERT_EQ(gMessageHandler.GetSetupType(), 24);
    Keep("messages");
    // The fourth choice: in a box, pausing the game.
    const CPoint origin = menu->GetBackground()->GetPosition();
    ClickAt(CPoint(origin.x + 40 + 8, origin.y + 313 + 3 * 17 + 8));
    EXPECT_EQ(CMessageHandler::_MessType[24].pause, 1);
    Click(gMessageHandler.GetSetupButton(CMessageHandler::kSetupCancel));
    EXPECT_FALSE(screen->IsMessagePageOpen());
    EXPECT_EQ(CMessageHandler::_MessType[24].pause, before.pause);
    EXPECT_EQ(CMessageHandler::_MessType[24].shown, before.shown);
    EXPECT_EQ(CMessageHandler::_MessType[24].box, before.box);
}

} // namespace
