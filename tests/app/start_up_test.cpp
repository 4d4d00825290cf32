// The whole start-up, headless, on a small generated data folder whose "settings.cfg" asks for a screen
// 800 wide: every step runs in its order with the loading bar filled to each stage's progress, the screen
// is raised to 1024, the first "config.rz" and an empty "history.txt" are written, the dates take the
// language's order and the main menu is up; then ShutDown releases everything (the leak check of the
// sanitizer build sees the rest). Between the two, the frame runs the game session: a scenario it cannot
// read brings the menu back, a loaded game runs in-game frames, and a won game ends its session.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/settings.h"
#include "app/winmain.h"
#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "foundation/data_file.h"
#include "foundation/logs.h"
#include "foundation/system.h"
#include "frontend/front_end_page_base.h"
#include "frontend/new_front_end.h"
#include "gfx/display_list.h"
#include "gfx/video.h"
#include "gfx/video_fixture.h"
#include "platform/settings/settings_file.h"

#include "support/generated_data.h"

#include "foundation/safeguards.h"

namespace {

std::vector<std::string> gTrace;
// The loading bar's length along its row as each stage begins, and once start-up is done.
std::vector<int> gBarColumns;

int BarColumns()
{
    CImage* back = CVideo::pBackBuffer;
    if (back == nullptr)
        return -1;
    const std::uint16_t green = CVideo::TrueToHigh(26, 101, 0);
    int columns = 0;
    while (columns < back->GetWidth() && video_test::Pixel16(back, columns, 621) == green)
        ++columns;
    return columns;
}

const char kSettings[]
    = "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 800\"\r\n\"SCREEN_SIZE_Y 600\"\r\n\"MUSIC_OFF\"\r\n"
      "\"lobby.vellmark.net\"\r\nNO_SETTINGS_DIALOG\r\n0\r\nNO_STRETCHED_VIDEO\r\nWINDOWED_MODE\r\n";

const std::vector<std::string> kOrder = { "gGameName", "defaults", "settings.cfg", "music.ini",
    "CRZGame::CalculateVersion", "random seed", "history.txt", "CSettings::Init", "CTerrain::Init",
    "CMath::Init", "CImageBase::InitAlpha", "CNewText::Init", "DATE and TIME", "CLexer::InitTokens",
    "CRZUnitServer::ParseUnitNames", "CCharacterServer::ParseRandomCharacterNames", "CoInitialize",
    "RegisterClassEx", "CreateWindowEx", "ShowWindow", "CVideo::SetMode", "Ravel::ProcessEventsForMs",
    "intro movies", "fonts", "loading picture", "CLoadingBar", "CLoadingBar 5 INIT_GLOBALS",
    "CCountryDB::Init", "CPortrait::InitDB", "CLoadingBar 10 INIT_GLOBALS", "CCoatOfArms::InitDB",
    "CLoadingBar 15 INIT_GLOBALS", "CLawType::Init", "CProvinceImprovementType::Init",
    "CProvinceEffectType::Init", "CLoadingBar 20 INIT_GLOBALS", "CAdvanceType::Init", "CCombatStats::Init",
    "CLoadingBar 25 INIT_GLOBALS", "CTraitType::Init", "gpClient", "CLoadingBar 30 INIT_SOUND", "gpSound",
    "CreateSongHandler", "gpNetwork", "CLoadingBar 40 INIT_INTERFACE", "palettes",
    "CRZGenericButton::InitSprites", "CLoadingBar 42 INIT_INTERFACE", "CRZStatusBar::InitColors",
    "ClearCountryControl", "CWindow::InitClass", "gpMap", "gpWindowsTiles", "gpDisplayList", "gpInterface",
    "CPlayerInfoList::Init", "InitTimer", "CLoadingBar 45 INIT_GAMEMAP_SPRITES", "CGameMap::Init",
    "CLoadingBar 95 INIT_GLOBALS", "CCountryDB::SetNationality", "CRZGlobal::Init",
    "CLoadingBar 98 INIT_GLOBALS", "CNewFrontEnd::Activate" };

TEST(StartUp, RunsEveryStepInOrderAndOpensTheMainMenu)
{
    char pattern[] = "/tmp/vellmark_startup_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string data = root + "/data";
    ASSERT_TRUE(support::GenerateData(data, "tiny", 3));
    std::ofstream(data + "/settings.cfg", std::ios::binary) << kSettings;
    std::ofstream(data + "/history.txt", std::ios::binary) << "an old run\r\n";
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SetDataFolderOverride(data.c_str());
    SetDataPath();

    char program[] = "vellmark";
    char debug[] = "Debug";
    char* argv[] = { program, debug, nullptr };
    SetGameArguments(2, argv);
    gStartUpTrace = [](const char* step) {
        gTrace.emplace_back(step);
        if (gTrace.back().starts_with("CLoadingBar ") || gTrace.back() == "CNewFrontEnd::Activate")
            gBarColumns.push_back(BarColumns());
    };
    WinMain(nullptr, nullptr, nullptr, 0);
    gStartUpTrace = nullptr;

    EXPECT_EQ(gTrace, kOrder);
    // Each stage fills the bar to its progress on the 1024 columns, the last to 98.
    const std::vector<int> columns = { 0, 51, 102, 153, 204, 256, 307, 409, 430, 460, 972, 1003 };
    EXPECT_EQ(gBarColumns, columns);
    EXPECT_EQ(isSuperDebug, 1);
    EXPECT_EQ(gScreenWidth, 1024);
    EXPECT_EQ(gScreenHeight, 768);
    EXPECT_STREQ(dateorder, "M D, Y");
    EXPECT_STREQ(timeorder, "H:00 M D, Y");
    EXPECT_EQ(std::filesystem::file_size(data + "/config.rz"), 1384u);
    EXPECT_EQ(std::filesystem::file_size(data + "/history.txt"), 0u);
    ASSERT_NE(gpSettings, nullptr);
    EXPECT_STREQ(gpSettings->Record().playerName, "Player");
    EXPECT_NE(gpSystem, nullptr);
    EXPECT_NE(gpTimer, nullptr);
    EXPECT_TRUE(gFrontEnd.IsActive());
    ASSERT_NE(gFrontEnd.GetPage(), nullptr);
    EXPECT_EQ(gFrontEnd.GetPage()->GetThis(), kPageMainMenu);
    // A front-end frame draws the menu and goes on.
    EXPECT_EQ(GameMainTick(), 1);
    EXPECT_FALSE(CRZGame::InGame());

    // The front end closed without a scenario it could read: the frame tells why and brings the menu back.
    gFrontEnd.Deactivate();
    EXPECT_EQ(GameMainTick(), 1);
    EXPECT_EQ(gpGame, nullptr);
    EXPECT_TRUE(gFrontEnd.IsActive());
    ASSERT_NE(gFrontEnd.GetPage(), nullptr);
    EXPECT_EQ(gFrontEnd.GetPage()->GetThis(), kPageMainMenu);
    EXPECT_EQ(gWait, 0);

    // A running game: in-game frames keep it, the queries answer from it, and the front end over it
    // takes the game out of InGame.
    gFrontEnd.Deactivate();
    gpGame = new CRZGame("scenarios\\tiny.rzg", 7);
    ASSERT_TRUE(gpGame->IsLoaded()) << gpGame->GetLoadError();
    gWait = 1;
    // The clock's animation ticks reach the drawables of the display list.
    struct CTickCounter : CDrawable {
        int ticks = 0;
        int Update(CRZEvent*) override { return ++ticks, UPDATE_NOT_TAKEN; }
    } counter;
    ASSERT_NE(gpDisplayList, nullptr);
    gpDisplayList->Add(&counter, 0, DRAW_TYPE_0);
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_EQ(GameMainTick(), 1);
    ProcessLocalEvent(new CRZAnimTickEvent(_CRZEVT_TICK_ANIMATIONS_, 1));
    EXPECT_EQ(counter.ticks, 1);
    gpDisplayList->RemoveThis(&counter);
    ASSERT_NE(gpGame, nullptr);
    EXPECT_TRUE(gpGame->IsStarted());
    EXPECT_TRUE(CRZGame::InGame());
    EXPECT_TRUE(CRZGame::IsHost());
    EXPECT_FALSE(CRZGame::IsMultiPlayer());
    EXPECT_FALSE(CRZGame::IsTutorial());
    EXPECT_NE(CRZGame::GetStartDate().year, 0);
    gFrontEnd.Activate(kPageMainMenu);
    EXPECT_FALSE(CRZGame::InGame());
    gFrontEnd.Deactivate();

    // A game won: the next frame ends the session and the menu follows.
    gpGame->winner = 1;
    EXPECT_EQ(GameMainTick(), 1);
    EXPECT_EQ(gpGame, nullptr);
    EXPECT_FALSE(CRZGame::InGame());
    EXPECT_TRUE(gFrontEnd.IsActive());

    // A window closed in the middle of a game takes the game with it.
    gpGame = new CRZGame("scenarios\\tiny.rzg", 7);
    ASSERT_TRUE(gpGame->IsLoaded()) << gpGame->GetLoadError();
    ShutDown();
    EXPECT_EQ(gpGame, nullptr);
    EXPECT_EQ(CRZGame::_inGame, 0);
    EXPECT_EQ(gpSettings, nullptr);
    EXPECT_EQ(gpSystem, nullptr);
    EXPECT_EQ(gpTimer, nullptr);
    EXPECT_EQ(gpVideo, nullptr);
    EXPECT_FALSE(gFrontEnd.IsActive());
    std::filesystem::remove_all(root);
}

} // namespace
