// Start-up, the frame and shut-down. Start-up runs its steps in one fixed order; a step whose subsystem
// is not in the game yet stands in its place, named and empty, so the order stays visible.
#include "app/winmain.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>

#include "app/game.h"
#include "app/game_wiring.h"
#include "app/host_timer_service.h"
#include "app/settings.h"
#include "app/sound_effects.h"
#include "app/window_procedure.h"
#include "armies/combat_stats.h"
#include "characters/character_server.h"
#include "characters/coat_of_arms.h"
#include "characters/law.h"
#include "characters/portrait.h"
#include "characters/trait.h"
#include "datalang/lexer.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "foundation/data_file.h"
#include "foundation/fatal_error.h"
#include "foundation/logs.h"
#include "foundation/math_tables.h"
#include "foundation/random_generator.h"
#include "foundation/system.h"
#include "frontend/front_end_page_base.h"
#include "frontend/new_front_end.h"
#include "gfx/display_list.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/song.h"
#include "gfx/sprite.h"
#include "gfx/video.h"
#include "messages/message_handler.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/dplay/direct_play_imp4.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/window_messages.h"
#include "platform/movie/movie_player.h"
#include "platform/settings/settings_dialog.h"
#include "platform/settings/settings_file.h"
#include "platform/sound/simple_sound.h"
#include "platform/win/win32.h"
#include "realms/advance.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"
#include "realms/terrain.h"
#include "text/new_text.h"
#include "widgets/console.h"
#include "widgets/generic_button.h"
#include "widgets/input.h"
#include "widgets/interface.h"
#include "widgets/loading_bar.h"
#include "widgets/status_bar.h"
#include "widgets/window.h"
#include "world/client.h"
#include "world/global.h"

#include "foundation/safeguards.h"

int HallPort = 33943;
char dateorder[256] = "M D, Y";
char timeorder[256] = "H:00 M D, Y";
int gFrontBack = 0;
Windows::MSG msg {};
Windows::HINSTANCE AppInstance = nullptr;
const char AppName[] = "Vellmark";
const char GlobalClassName[] = "StubDirectDrawWndClass";
CImage* pLoadImage = nullptr;
CSprite* pDummySprite = nullptr;
CVideo* gpVideo = nullptr;
int isShutDown = 0;
int gWait = 0;
int bInMainLoop = 0;
void (*gStartUpTrace)(const char* step) = nullptr;

namespace {

int gArgc = 0;
char** gArgv = nullptr;

constexpr const char* kLoadPicture = "gfx\\load_1024.bmp";

constexpr Windows::UINT kWmSetIcon = 0x80;
constexpr int kSwShow = 5;
constexpr Windows::UINT kCsDblClks = 0x8;
constexpr Windows::DWORD kWsPopupVisible = 0x80000000u | 0x10000000u;
constexpr Windows::UINT kMbIconStop = 0x10;

void Step(const char* name)
{
    if (gStartUpTrace != nullptr)
        gStartUpTrace(name);
}

// A failed start-up that the Part of the game calls silent still leaves the player a reason.
[[noreturn]] void EndStartUp(const char* text)
{
    std::fprintf(stderr, "Vellmark: %s\n", text);
    std::exit(1);
}

// The animation ticks reach every animating drawable of the running game through the display list.
class CDisplayListRoute : public CRZEventHandler {
public:
    CRZReturnType Update(CRZEvent* event) override
    {
        return gpDisplayList ? gpDisplayList->Update(event) : 0;
    }
} gDisplayListRoute;

// The loading bar while start-up loads the tables; null before and after.
CLoadingBar* gStartUpBar = nullptr;

// A stage of start-up shows its progress and text on the loading bar; between stages the music keeps
// playing.
void Stage(int progress, const char* key)
{
    char name[64];
    std::snprintf(name, sizeof name, "CLoadingBar %d %s", progress, key);
    Step(name);
    if (gStartUpBar != nullptr) {
        gStartUpBar->progress = progress;
        gStartUpBar->SetText(TextStrings.GetString(key));
        gStartUpBar->Draw(DRAW_TYPE_0);
    }
    if (auto* sound = dynamic_cast<CSimpleSound*>(gpSound))
        sound->MusicUpdate();
}

// A table that fails to load leaves the game without its rules: start-up cannot go on.
void Require(bool loaded, const char* what)
{
    if (!loaded)
        _AssertRelease("Fatal error: %s could not be loaded; see the messages above.", what);
}

void CopyText(char* field, std::size_t size, const char* key)
{
    std::snprintf(field, size, "%s", TextStrings.GetString(key));
}

int ClockTickCount()
{
    return gpTimer != nullptr ? gpTimer->GetAnimationTicks() : 0;
}

void PumpMessages(bool* quit)
{
    *quit = false;
    Windows::MSG message;
    while (Windows::PeekMessageA(&message, nullptr, 0, 0, Windows::PM_REMOVE)) {
        if (message.message == Windows::WM_QUIT) {
            *quit = true;
            return;
        }
        Windows::TranslateMessage(&message);
        Windows::DispatchMessageA(&message);
    }
}

void Present()
{
    // The bars around a letterboxed game area stay black; the frame itself is the back buffer.
    if (Ravel::BasicHWNDImpOBJC* window = Ravel::getGameWindowWrapper())
        window->clearFrame();
    CVideo::Update();
}

template <class T> void Release(T*& pointer)
{
    delete pointer;
    pointer = nullptr;
}

// The display mode again after a game's start or end, as the player may have switched away meanwhile.
void RestoreDisplay()
{
    if (CVideo::SetMode(gScreenWidth, gScreenHeight, 16, 0) == 0) {
        superdebug("Failed to initialize video.\r\n");
        EndStartUp("the display mode could not be set again.");
    }
    CVideo::RestoreAll();
    if (gpInterface)
        gpInterface->RefreshSide();
}

// The first frame after the front end closed: the waiting picture, then the game session from the
// chosen scenario and seed. A scenario that cannot be read tells why and brings the main menu back, so
// the player can choose again. False when no game runs.
bool StartGame()
{
    if (isActive) {
        RestoreDisplay();
        Release(pLoadImage);
        pLoadImage = new CImage(kLoadPicture, IMAGE_SYSTEM, false);
        if (CImage* back = CVideo::pBackBuffer) {
            pLoadImage->Draw(0, 0, back);
            CVideo::Update();
            CVideo::Update();
            CRect dark(100, 100, 924, 668);
            pLoadImage->ColorRect(&dark, 0.5f, 0.5f, 0.5f);
            if (CFont* font = FindFont("gfx\\fonts\\Lafayette36.bmp"))
                font->PrintDropCenter(TextStrings.GetString("WAITING_FOR_PLAYERS"), 512, 384, back, 0xFFFF);
        }
    }
    char fileName[400];
    std::snprintf(fileName, sizeof fileName, "%s.rzg", gFrontEnd.GetScenario());
    Release(gpGame);
    gpGame = new CRZGame(fileName, static_cast<int>(gFrontEnd.GetSeed()));
    gpGame->winner = 0;
    if (!CRZGame::IsMultiPlayer())
        Release(pLoadImage);
    if (gpGame->IsLoaded())
        return true;
    std::fprintf(stderr, "Vellmark: %s could not be loaded: %s\n", fileName, gpGame->GetLoadError());
    Release(gpGame);
    Release(pLoadImage);
    gFrontEnd.Activate(kPageMainMenu);
    return false;
}

// The frame after a game was won or lost: the winner's or loser's page, or in the tutorial its page
// again with every window of the game gone; then the session ends.
void EndGame()
{
    RestoreDisplay();
    if (CRZGame::IsTutorial()) {
        gFrontEnd.Activate(kPageTutorial);
        if (gpInterface) {
            CWindowList& windows = gpInterface->GetWindows();
            while (!windows.IsEmpty())
                windows.Delete(*windows.GetHead());
        }
    }
    // The winner's and loser's pages come with the player's realm; until then the menu follows.
    else
        gFrontEnd.Activate(kPageMainMenu);
    Release(gpGame);
}

} // namespace

void SetGameArguments(int argc, char** argv)
{
    gArgc = argc;
    gArgv = argv;
}

void ReadMusicIni()
{
    std::snprintf(MusicPath, sizeof MusicPath, "%s", "music");
    std::FILE* file = OpenDataFile("music.ini", "rb");
    if (file == nullptr)
        return;
    // Two lines are all the file holds; more is never read.
    char text[2 * sizeof MusicPath + 16] = {};
    const std::size_t size = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    text[size] = 0;
    // Line 2 follows the first CR LF (or a lone CR or LF) and ends at the next.
    const std::size_t first = std::strcspn(text, "\r\n");
    std::size_t at = first;
    if (text[at] == '\r')
        ++at;
    if (text[at] == '\n')
        ++at;
    if (at == first)
        return;
    char* line = text + at;
    line[std::strcspn(line, "\r\n")] = 0;
    if (std::strlen(line) <= 5)
        return;
    const char* folder = line + 5;
    // The music lies inside the data folder: a path out of it or too long for the name is refused.
    if (folder[0] == '/' || folder[0] == '\\' || std::strstr(folder, "..") != nullptr
        || std::strchr(folder, ':') != nullptr || std::strlen(folder) >= sizeof MusicPath) {
        std::fprintf(
            stderr, "music.ini: line 2 does not name a folder of the data folder; \"music\" is used\n");
        return;
    }
    std::snprintf(MusicPath, sizeof MusicPath, "%s", folder);
}

int WinMain(Windows::HINSTANCE instance, Windows::HINSTANCE, char*, int)
{
    Step("gGameName");
    std::snprintf(gGameName, sizeof gGameName, "%s", "Vellmark");
    for (int i = 1; i < gArgc; ++i)
        if (stricmp(gArgv[i], "DEBUG") == 0)
            isSuperDebug = 1;
    InstallGameWiring();
    if (!CheckGameRoutes(CRouteSource::kWiring))
        std::exit(1);
    gClockHooks.timers = GetHostTimerService();

    Step("defaults");
    HallPort = 33943;
    std::snprintf(dateorder, sizeof dateorder, "%s", "M D, Y");
    std::snprintf(timeorder, sizeof timeorder, "%s", "H:00 M D, Y");
    std::snprintf(MusicPath, sizeof MusicPath, "%s", "music");

    // Lines 4 to 11, the screen raised to 1024 by 768, and the dialog when the file or the Option key
    // asks for it; its Cancel ends the game before it begins.
    Step("settings.cfg");
    if (!Ravel::ReadSettingsAtStart("settings.cfg", Ravel::SettingsDialogRequested(gArgc, gArgv)))
        std::exit(0);
    Step("music.ini");
    ReadMusicIni();
    Step("CRZGame::CalculateVersion");
    CRZGame::CalculateVersion();

    Step("random seed");
    Windows::SYSTEMTIME time {};
    Windows::GetSystemTime(&time);
    gGameRandom.Seed(static_cast<std::uint32_t>(time.wYear + time.wMinute + time.wMilliseconds));
    gFrontBack = gGameRandom.Next() % 3;

    // The message log starts empty with every run.
    Step("history.txt");
    TruncateHistory();

    Step("CSettings::Init");
    gpSettings = new CSettings();
    gpSettings->Init();

    Step("CTerrain::Init");
    CTerrain::Init();
    Step("CMath::Init");
    CMath::Init();
    Step("CImageBase::InitAlpha");
    CImageBase::InitAlpha();
    Step("CNewText::Init");
    if (!TextStrings.Init(RZ_LANGUAGE_0)) {
        std::fprintf(
            stderr, "Vellmark: the text tables in the data folder are damaged; see the message above.\n");
        _AssertRelease("TextDB Error");
    }
    Step("DATE and TIME");
    CopyText(dateorder, sizeof dateorder, "DATE");
    CopyText(timeorder, sizeof timeorder, "TIME");

    Step("CLexer::InitTokens");
    CLexer::InitTokens();
    Step("CRZUnitServer::ParseUnitNames");
    Step("CCharacterServer::ParseRandomCharacterNames");
    CCharacterServer::ParseRandomCharacterNames();

    Step("CoInitialize");
    debuggame = 0;
    msg = {};
    AppInstance = instance;
    Windows::CoInitialize(nullptr);

    Step("RegisterClassEx");
    Windows::WNDCLASSEXA windowClass {};
    windowClass.cbSize = 48;
    windowClass.style = kCsDblClks;
    windowClass.lpfnWndProc = &MessageHandlingProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = Windows::LoadIconA(instance, reinterpret_cast<Windows::LPCSTR>(101));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hbrBackground = reinterpret_cast<Windows::HBRUSH>(Windows::GetStockObject(4));
    windowClass.lpszClassName = GlobalClassName;
    if (!Windows::RegisterClassExA(&windowClass))
        EndStartUp("the game's window class could not be registered.");

    // The emulation reports no screen size: the window takes the game's, and the display mode below
    // sizes it.
    Step("CreateWindowEx");
    MainWindowsHwnd = Windows::CreateWindowExA(0, GlobalClassName, AppName, kWsPopupVisible, 0, 0,
        std::max(Windows::GetSystemMetrics(0), gScreenWidth),
        std::max(Windows::GetSystemMetrics(1), gScreenHeight), nullptr, nullptr, instance, nullptr);
    if (MainWindowsHwnd == nullptr) {
        Windows::UnregisterClassA(GlobalClassName, instance);
        Windows::MessageBoxA(Windows::GetDesktopWindow(), "Error Creating Window!", "Starkwall", kMbIconStop);
        EndStartUp("Error Creating Window!");
    }

    Step("ShowWindow");
    Windows::ShowCursor(Windows::FALSE);
    Windows::ShowWindow(MainWindowsHwnd, kSwShow);
    Windows::UpdateWindow(MainWindowsHwnd);
    Windows::PostMessageA(MainWindowsHwnd, kWmSetIcon, 1,
        reinterpret_cast<Windows::LPARAM>(
            Windows::LoadImageA(instance, reinterpret_cast<Windows::LPCSTR>(101), 1, 0, 0, 0)));

    Step("CVideo::SetMode");
    gpVideo = new CVideo(0);
    gpInput = new CInput();
    new CWindowsSystem();
    if (CVideo::SetMode(gScreenWidth, gScreenHeight, 16, 0) == 0) {
        superdebug("Failed to initialize video.\r\n");
        _AssertRelease("Fatal error: Could not initialize Video!\n");
    }
    Ravel::InstallGameView();

    Step("Ravel::ProcessEventsForMs");
    Ravel::ProcessEventsForMs(300);
    Windows::ShowCursor(Windows::FALSE);

    Step("intro movies");
    Ravel::PlayIntroMovies("");

    Step("fonts");
    if (CVideo::pBackBuffer)
        CVideo::pBackBuffer->Fill16Bit(0);
    pDummySprite = new CSprite();
    gpFontDB = new CFontDB;
    LoadInterfaceFonts();

    // Presented a few times over so that every buffer shows it.
    Step("loading picture");
    pLoadImage = new CImage(kLoadPicture, IMAGE_SYSTEM, false);
    if (CVideo::pBackBuffer) {
        for (int draw = 0; draw < 3; ++draw) {
            pLoadImage->Draw(0, 0, CVideo::pBackBuffer);
            CVideo::Update();
        }
        CVideo::Update();
        CVideo::Update();
    }
    Release(pLoadImage);

    Step("CLoadingBar");
    std::unique_ptr<CLoadingBar> loadingBar = std::make_unique<CLoadingBar>(300);
    loadingBar->InitUndo();
    gStartUpBar = loadingBar.get();
    // A fatal failure below leaves no pointer to the released bar behind.
    struct ForgetBar {
        ~ForgetBar() { gStartUpBar = nullptr; }
    } forgetBar;
    Stage(5, "INIT_GLOBALS");
    Step("CCountryDB::Init");
    Require(CCountryDB::Init(), "db\\country.csv");
    Step("CPortrait::InitDB");
    CPortrait::InitDB();
    Stage(10, "INIT_GLOBALS");
    Step("CCoatOfArms::InitDB");
    CCoatOfArms::InitDB();
    Stage(15, "INIT_GLOBALS");
    Step("CLawType::Init");
    Require(CLawType::Init(), "db\\laws.txt");
    Step("CProvinceImprovementType::Init");
    Require(CProvinceImprovementType::Init(), "db\\provinceimprovements.txt");
    Step("CProvinceEffectType::Init");
    Require(CProvinceEffectType::Init(), "db\\ProvinceEffects.txt");
    Stage(20, "INIT_GLOBALS");
    Step("CAdvanceType::Init");
    Require(CAdvanceType::Init(), "db\\advances.txt");
    Step("CCombatStats::Init");
    Require(CCombatStats::Init(), "db\\combat.txt");
    Stage(25, "INIT_GLOBALS");
    Step("CTraitType::Init");
    Require(CTraitType::Init(), "db\\traits.txt");
    Step("gpClient");
    ReplaceClient();

    Stage(30, "INIT_SOUND");
    Step("gpSound");
    gpSound = new CSimpleSound();
    // Effect n lies in slot n; a machine without sound runs silent.
    for (int n = 1; n <= kSoundEffectCount; ++n)
        gpSound->AddSound(n, kSoundEffectFiles[n - 1], Voices {});
    gpSound->Volume(gpSettings->Record().effectVolume);
    Step("CreateSongHandler");
    CreateSongHandler();
    Step("gpNetwork");

    Stage(40, "INIT_INTERFACE");
    Step("palettes");
    Step("CRZGenericButton::InitSprites");
    CRZGenericButton::InitSprites();
    Stage(42, "INIT_INTERFACE");
    Step("CRZStatusBar::InitColors");
    CRZStatusBar::InitColors();
    Step("ClearCountryControl");
    ClearCountryControl();
    Step("CWindow::InitClass");
    CWindow::InitClass();
    Step("gpMap");
    Step("gpWindowsTiles");
    gpWindowsTiles16 = new CWindowsTiles(16);
    gpWindowsTiles8 = new CWindowsTiles(8);
    gpWindowsTiles7 = new CWindowsTiles(7);
    Step("gpDisplayList");
    gpDisplayList = new CDisplayList;
    gEventRoutes.displayList = &gDisplayListRoute;
    Step("gpInterface");
    gpInterface = new CInterface();
    gEventRoutes.gameInterface = gpInterface;
    Step("CPlayerInfoList::Init");
    Step("InitTimer");
    if (!InitTimer(15))
        _AssertRelease("Fatal error: Could not initialize timer! ");

    Stage(45, "INIT_GAMEMAP_SPRITES");
    Step("CGameMap::Init");

    Stage(95, "INIT_GLOBALS");
    Step("CCountryDB::SetNationality");
    CCountryDB::SetNationality();
    Step("CRZGlobal::Init");
    gGlobal.Init();

    Stage(98, "INIT_GLOBALS");
    Step("CNewFrontEnd::Activate");
    gEventRoutes.frontEnd = &gFrontEnd;
    gFrontEnd.Activate(kPageMainMenu);
    return static_cast<int>(msg.wParam);
}

void RunWinMain()
{
    try {
        WinMain(nullptr, nullptr, nullptr, 0);
    } catch (int) {
        Windows::MessageBoxA(Windows::GetDesktopWindow(), GetAssertMessage(), AppName, kMbIconStop);
        EndStartUp(GetAssertMessage());
    }
}

void DrawLoading(int)
{
    Windows::MSG message;
    if (!Windows::PeekMessageA(&message, nullptr, 0, 0, Windows::PM_NOREMOVE))
        return;
    if (!Windows::GetMessageA(&message, nullptr, 0, 0) || message.message == Windows::WM_QUIT)
        return;
    Windows::TranslateMessage(&message);
    Windows::DispatchMessageA(&message);
}

int ProcessReadyEvents(int (*tickCount)())
{
    if (tickCount == nullptr)
        tickCount = &ClockTickCount;
    const int start = tickCount();
    int processed = 0;
    while (tickCount() < start + 3 && gEventScheduler.ProcessNext())
        ++processed;
    return processed;
}

int GameMainTick()
{
    Windows::Sleep(10);
    bool quit = false;
    PumpMessages(&quit);
    if (quit)
        return 0;
    // The multiplayer session receives here once it is in the game.
    if (gpSongHandler)
        gpSongHandler->Update();
    if (isShutDown)
        return 1;

    if (gFrontEnd.IsActive()) {
        if (pLoadImage != nullptr)
            return 1;
        if (gpInput) {
            gpInput->Update();
            gEventScheduler.ProcessInput();
        }
        ProcessLocalEvent(new CRZGenericEvent(_CRZEVT_TIMER_TICK_LOOP_, ALLID));
        if (gpTimer)
            gpTimer->Poll();
        gEventScheduler.ProcessAll();
        gFrontEnd.Draw(DRAW_TYPE_0);
        if (gpDisplayList)
            gpDisplayList->Draw();
        Present();
        // The lobby pages' lag check runs here once the multiplayer session is in the game.
        gEventScheduler.EmptyExternalList();
        gWait = 0;
        return 1;
    }

    if (gWait == 0 && !StartGame())
        return 1;

    if (!bInMainLoop) {
        bInMainLoop = 1;
        if (gpTimer)
            gpTimer->Poll();
        if (gpInput) {
            gpInput->Update();
            gEventScheduler.ProcessInput();
        }
        ProcessReadyEvents();
        const bool graphics = CVideo::pBackBuffer != nullptr;
        if (graphics && !gFrontEnd.IsActive() && gpGame != nullptr && gpGame->IsStarted()
            && !gpGame->quitting) {
            if (gpDisplayList)
                gpDisplayList->Draw();
            if (gpConsole)
                gpConsole->Draw(DRAW_TYPE_0);
        }
        if (gpGame != nullptr && gpGame->winner != 0)
            EndGame();
        if (gpGame != nullptr && gpGame->IsStarted())
            Release(pLoadImage);
        // The waiting picture stays only while the players of a multiplayer game gather.
        if (pLoadImage != nullptr && (!CRZGame::IsMultiPlayer() || gFrontEnd.IsActive()))
            Release(pLoadImage);
        else if (pLoadImage != nullptr && CVideo::pBackBuffer)
            pLoadImage->Draw(0, 0, CVideo::pBackBuffer);
        if (graphics)
            Present();
        gEventScheduler.EmptyExternalList();
        ProcessLocalEvent(new CRZGenericEvent(_CRZEVT_TIMER_TICK_LOOP_, ALLID));
        // A save or load the player asked for runs between frames, never in the middle of one.
        if (gpGame)
            gpGame->PollSaveLoad();
        bInMainLoop = 0;
    }
    if (gWait == 0)
        gWait = 1;
    return 1;
}

void ShutDown()
{
    KillTimer();
    if (gpSettings) {
        gpSettings->SaveSettings();
        Release(gpSettings);
    }
    // A window closed in the middle of a game tears the game's world down with it.
    Release(gpGame);
    RemoveSongHandler();
    gEventRoutes.frontEnd = nullptr;
    gFrontEnd.Deactivate();
    CRZGenericButton::DeInitSprites();
    CPortrait::ShutdownDB();
    CCoatOfArms::ShutdownDB();
    CLawType::Shutdown();
    CProvinceImprovementType::Shutdown();
    CAdvanceType::Shutdown();
    CTraitType::Shutdown();
    CProvinceEffectType::Shutdown();
    Release(gpSound);
    Release(gpConsole);
    Release(gpLogHistory);
    gEventRoutes.gameInterface = nullptr;
    Release(gpInterface);
    for (CWindowsTiles** tiles : { &gpWindowsTiles16, &gpWindowsTiles8, &gpWindowsTiles7 })
        Release(*tiles);
    CFrontEndPageBase::Destroy();
    CRZGenericButton::DeInitSprites();
    CWindow::ShutdownClass();
    gEventRoutes.displayList = nullptr;
    Release(gpDisplayList);
    gGlobal.DeInit();
    // The registry owns the fonts, and each font its glyph sprites: the font names must not outlive it.
    Release(gpFontDB);
    for (CFont** font : { &SmallFont, &BoldFont, &LargeFont, &Font20, &ExtraTinyFont })
        *font = nullptr;
    Release(pDummySprite);
    CVideo::ShutDown();
    Release(gpVideo);
    Release(gpInput);
    delete gpSystem;
    Windows::CoUninitialize();
}

void ConvertToLocaleDate(char* buffer, std::size_t size, const CDate& date)
{
    if (size == 0)
        return;
    std::size_t used = 0;
    buffer[0] = 0;
    const auto append = [&](const char* text) {
        const int n = std::snprintf(buffer + used, size - used, "%s", text);
        used = std::min(size - 1, used + static_cast<std::size_t>(std::max(n, 0)));
    };
    for (const char* at = dateorder; *at != 0; ++at) {
        char part[32];
        if (*at == 'M') {
            append(TextStrings.GetString(kMonthKeys[((date.month % 12) + 12) % 12]));
            continue;
        }
        if (*at == 'D')
            std::snprintf(part, sizeof part, "%d", date.GetJulianDays() + 1);
        else if (*at == 'Y')
            std::snprintf(part, sizeof part, "%d", static_cast<int>(date.year));
        else
            std::snprintf(part, sizeof part, "%c", *at);
        append(part);
    }
}
