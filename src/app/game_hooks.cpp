// The game's side of the host: the hooks through which the platform starts the game, runs its frames
// and ends it. For now start-up reads the settings, loads the texts, sets up the video (which opens the
// window), plays the intro, loads the fonts, shows the loading picture and loads the sounds and music;
// each frame hands the window messages on, keeps the music going and presents the back buffer.
#include "app/game_hooks.h"

#include <cstdio>
#include <cstdlib>

#include "app/game_wiring.h"
#include "app/host_timer_service.h"
#include "app/sound_effects.h"
#include "app/window_procedure.h"
#include "datalang/attribute_tuple.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "foundation/logs.h"
#include "foundation/math_tables.h"
#include "gfx/display_list.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/song.h"
#include "gfx/video.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/dplay/direct_play_imp4.h"
#include "platform/host/game_app_delegate.h"
#include "platform/host/host_hooks.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/window_messages.h"
#include "platform/movie/movie_player.h"
#include "platform/settings/settings_dialog.h"
#include "platform/settings/settings_file.h"
#include "platform/sound/simple_sound.h"
#include "platform/win/win32.h"
#include "text/new_text.h"
#include "widgets/input.h"
#include "widgets/interface.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace {

CVideo* gpVideo = nullptr;
int gArgc = 0;
char** gArgv = nullptr;

} // namespace

void SetGameArguments(int argc, char** argv)
{
    gArgc = argc;
    gArgv = argv;
}

Windows::LRESULT gameWindProc(
    Windows::HWND window, Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam)
{
    return MessageHandlingProcedure(window, message, wParam, lParam);
}

int gameSystemInits()
{
    return 1;
}

void gameMainEntryPoint()
{
    InstallGameWiring();
    if (!CheckGameRoutes(CRouteSource::kWiring))
        std::exit(1);
    gClockHooks.timers = GetHostTimerService();
    // The message log starts empty with every run; "DEBUG" on the command line turns the save trace on.
    TruncateHistory();
    for (int i = 1; i < gArgc; ++i)
        if (stricmp(gArgv[i], "DEBUG") == 0)
            isSuperDebug = 1;
    CMath::Init();
    CImageBase::InitAlpha();
    std::snprintf(gGameName, sizeof gGameName, "%s", "Vellmark");

    // The settings dialog's Cancel ends the game before it begins.
    if (!Ravel::ReadSettingsAtStart("settings.cfg", Ravel::SettingsDialogRequested(gArgc, gArgv)))
        std::exit(0);
    if (!TextStrings.Init(RZ_LANGUAGE_0)) {
        std::fprintf(
            stderr, "Vellmark: the text tables in the data folder are damaged; see the message above.\n");
        std::exit(1);
    }
    // The window is made as the game's own window; the video then sets its display mode, which opens it.
    MainWindowsHwnd = Windows::CreateWindowExA(0, "StubDirectDrawWndClass", "Vellmark", 0, 0, 0, gScreenWidth,
        gScreenHeight, nullptr, nullptr, nullptr, nullptr);
    gpVideo = new CVideo(0);
    if (!MainWindowsHwnd || CVideo::SetMode(gScreenWidth, gScreenHeight, 16, 0) == 0) {
        superdebug("Failed to initialize video.\r\n");
        std::fprintf(stderr,
            "Vellmark: Fatal error: Could not initialize Video! The game window or its OpenGL context could "
            "not be made; see the messages above.\n");
        std::exit(1);
    }
    Ravel::InstallGameView();
    Ravel::PlayIntroMovies("");

    // The fonts, then the loading picture, presented a few times over so that every buffer shows it.
    if (CVideo::pBackBuffer)
        CVideo::pBackBuffer->Fill16Bit(0);
    gpFontDB = new CFontDB;
    LoadInterfaceFonts();
    if (CVideo::pBackBuffer) {
        CImage loading("gfx\\load_1024.bmp", IMAGE_SYSTEM, false);
        for (int draw = 0; draw < 3; ++draw) {
            loading.Draw(0, 0, CVideo::pBackBuffer);
            CVideo::Update();
        }
        CVideo::Update();
        CVideo::Update();
    }

    // Effect n lies in slot n; a machine without sound runs silent.
    gpSound = new CSimpleSound();
    for (int n = 1; n <= kSoundEffectCount; ++n)
        gpSound->AddSound(n, kSoundEffectFiles[n - 1], Voices {});
    CreateSongHandler();
    gpWindowsTiles16 = new CWindowsTiles(16);
    gpWindowsTiles8 = new CWindowsTiles(8);
    gpWindowsTiles7 = new CWindowsTiles(7);
    CWindow::InitClass();
    gpInput = new CInput();
    gpDisplayList = new CDisplayList;
    gpInterface = new CInterface();
    gEventRoutes.gameInterface = gpInterface;
}

int gameMainTick()
{
    Windows::Sleep(10);
    Windows::MSG message;
    while (Windows::PeekMessageA(&message, nullptr, 0, 0, Windows::PM_REMOVE)) {
        if (message.message == Windows::WM_QUIT)
            return 0;
        Windows::TranslateMessage(&message);
        Windows::DispatchMessageA(&message);
    }
    if (gpInput) {
        gpInput->Update();
        gEventScheduler.ProcessInput();
    }
    if (gpSongHandler)
        gpSongHandler->Update();
    // The bars around a letterboxed game area stay black; the frame itself is the back buffer.
    if (Ravel::BasicHWNDImpOBJC* window = Ravel::getGameWindowWrapper())
        window->clearFrame();
    CVideo::Update();
    return 1;
}

void gameMainShutdown()
{
    gEventRoutes.gameInterface = nullptr;
    delete gpInterface;
    gpInterface = nullptr;
    delete gpInput;
    gpInput = nullptr;
    delete gpDisplayList;
    gpDisplayList = nullptr;
    delete gpFontDB;
    gpFontDB = nullptr;
    for (CWindowsTiles** tiles : { &gpWindowsTiles16, &gpWindowsTiles8, &gpWindowsTiles7 }) {
        delete *tiles;
        *tiles = nullptr;
    }
    CWindow::ShutdownClass();
    RemoveSongHandler();
    delete gpSound;
    gpSound = nullptr;
    CVideo::ShutDown();
    delete gpVideo;
    gpVideo = nullptr;
}

void gameSystemCleanup() { }

int gameQuitRequested(int)
{
    Ravel::defaultGameQuitHandler();
}
