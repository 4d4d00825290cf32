// The game's windows on a real display (Xvfb under make test), fed by the X server's own pointer and
// button: a drag goes from SDL's mouse events through the game view, the window-message queue and the
// window procedure to the input component and the interface, and two framed windows with text show in
// the game window.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/window_procedure.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/video.h"
#include "gfx/video_fixture.h"
#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/fs_application.h"
#include "platform/host/headless.h"
#include "platform/host/host_hooks.h"
#include "platform/input/game_opengl_view.h"
#include "platform/input/window_messages.h"
#include "platform/win/win32.h"
#include "support/data_folder.h"
#include "widgets/input.h"
#include "widgets/interface.h"
#include "widgets/window.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The host's part that the game view asks for: it receives the game window's input events.
class CViewDelegate : public Ravel::ApplicationDelegate {
public:
    void terminate() override { }
    void applicationDidBecomeActive() override { }
    void applicationWillResignActive() override { }
    void applicationWillHide() override { }
    void applicationDidUnhide() override { }
    Ravel::GameResponder* getGameResponder() override { return Ravel::GameOpenGLView::Current(); }
};

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// A 5-5-5 pixel of the back buffer as the display shows it, within the rounding of the upload.
bool Shows(Rgb seen, std::uint16_t pixel)
{
    const int r = ((pixel >> 10) & 31) * 255 / 31;
    const int g = ((pixel >> 5) & 31) * 255 / 31;
    const int b = (pixel & 31) * 255 / 31;
    return std::abs(seen.r - r) <= 8 && std::abs(seen.g - g) <= 8 && std::abs(seen.b - b) <= 8;
}

// The game window started as start-up starts it, on a generated data folder: the video, the game view,
// the fonts and tile sets, the clock and the input component, and the interface with no game running.
class WindowsOnScreen : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(video_test::GenerateTinyData(3)) << "build the datagen target first";
    }

    void SetUp() override
    {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display (make test runs under xvfb-run)";
        mX = XOpenDisplay(nullptr);
        ASSERT_NE(mX, nullptr);
        int event = 0, error = 0, major = 0, minor = 0;
        ASSERT_TRUE(XTestQueryExtension(mX, &event, &error, &major, &minor)) << "the X server lacks XTEST";
        unsetenv("SDL_VIDEODRIVER");
        Ravel::DecideHeadless();
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
        SetDataPath();
        Ravel::FSApplication::setDelegate(&mDelegate);
        // A window of the game's size, smaller than the display, as the settings ask for.
        gWindowedMode = 1;
        MainWindowsHwnd = Windows::CreateWindowExA(0, "StubDirectDrawWndClass", "Vellmark", 0, 0, 0, kWidth,
            kHeight, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(MainWindowsHwnd, nullptr);
        mVideo = new CVideo(0);
        ASSERT_EQ(CVideo::SetMode(kWidth, kHeight, 16, 0), 1);
        Ravel::InstallGameView();
        ASSERT_EQ(LoadInterfaceFonts(), 1);
        gpWindowsTiles16 = new CWindowsTiles(16);
        CWindow::InitClass();
        gpTimer = new CRZTimer(15);
        gpInput = new CInput();
        gpInterface = new CInterface();
        gEventRoutes.gameInterface = gpInterface;
        CInput::_isLeftButton = 0;
    }

    void TearDown() override
    {
        if (mX) {
            // A case that failed mid-drag must not leave the button held for the next.
            XTestFakeButtonEvent(mX, 1, False, CurrentTime);
            XCloseDisplay(mX);
        }
        gEventScheduler.EmptyInputList();
        gEventRoutes.gameInterface = nullptr;
        delete gpInterface;
        gpInterface = nullptr;
        delete gpInput;
        gpInput = nullptr;
        delete gpTimer;
        gpTimer = nullptr;
        CWindow::ShutdownClass();
        delete gpWindowsTiles16;
        gpWindowsTiles16 = nullptr;
        delete gpFontDB;
        gpFontDB = nullptr;
        CVideo::ShutDown();
        delete mVideo;
        if (Ravel::BasicHWNDImpOBJC* window = Ravel::getGameWindowWrapper()) {
            window->close();
            delete window;
        }
        MainWindowsHwnd = nullptr;
        Ravel::FSApplication::setDelegate(nullptr);
        // SDL stays up for the next case: quitting it unloads the GL driver, whose own allocations the
        // leak check then cannot trace to a library it is told to pass over.
    }

    // A window of the interface at a place, framed, with a line of text.
    CWindow* Open(CPoint at, CPoint size, const char* text)
    {
        auto* window = new CWindow(&at, size, 16);
        BoldFont->Print(text, 20, 20, window->GetImage(), CVideo::TrueToHigh(250, 240, 200));
        gpInterface->GetWindows().Append(window);
        return window;
    }

    // One frame as the game's loop runs it: the platform's events, the window messages through the
    // window procedure, the input component and the interface, then the windows drawn and presented.
    void Frame()
    {
        XSync(mX, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        SDL_Event event;
        while (Ravel::FSApplication::nextEvent(&event))
            Ravel::FSApplication::sendEvent(event);
        Windows::MSG message;
        while (Windows::PeekMessageA(&message, nullptr, 0, 0, Windows::PM_REMOVE))
            MessageHandlingProcedure(message.hwnd, message.message, message.wParam, message.lParam);
        gpInput->Update();
        gEventScheduler.ProcessInput();
        CVideo::pBackBuffer->Fill16Bit(Ground());
        CWindow::ClearSBuffer();
        gpInterface->GetWindows().DrawFrontToBack(DRAW_TYPE_0);
        CVideo::Update();
    }

    // The X server's pointer at a point of the game area (the window may be placed anywhere).
    void PointerTo(int x, int y)
    {
        int left = 0, top = 0;
        SDL_GetWindowPosition(Ravel::getMainWindow(), &left, &top);
        XTestFakeMotionEvent(mX, DefaultScreen(mX), left + x, top + y, CurrentTime);
        for (int i = 0; i < 3; ++i)
            Frame();
    }

    // The X server's left button, where its pointer is.
    void LeftButton(bool down)
    {
        XTestFakeButtonEvent(mX, 1, down ? True : False, CurrentTime);
        for (int i = 0; i < 3; ++i)
            Frame();
    }

    // The game window as the X server shows it; empty when it cannot be read.
    std::vector<Rgb> Capture(int* width, int* height)
    {
        std::vector<Rgb> pixels;
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(Ravel::getMainWindow(), &info) || info.subsystem != SDL_SYSWM_X11)
            return pixels;
        XWindowAttributes attributes {};
        XGetWindowAttributes(mX, info.info.x11.window, &attributes);
        XImage* image = XGetImage(mX, info.info.x11.window, 0, 0, static_cast<unsigned>(attributes.width),
            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        *width = attributes.width;
        *height = attributes.height;
        for (int y = 0; y < *height; ++y) {
            for (int x = 0; x < *width; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                pixels.push_back({ static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
                    static_cast<int>(p & 255) });
            }
        }
        XDestroyImage(image);
        return pixels;
    }

    // The ground the windows lie on, in the pixel format that the mode chose.
    static std::uint16_t Ground() { return CVideo::TrueToHigh(40, 70, 110); }
    Display* mX = nullptr;
    CViewDelegate mDelegate;
    CVideo* mVideo = nullptr;
};

TEST_F(WindowsOnScreen, TheServersPointerDragsTheFrontWindowAndStopsAtTheScreenEdge)
{
    CWindow* back = Open(CPoint(60, 80), CPoint(192, 128), "Back");
    CWindow* front = Open(CPoint(100, 100), CPoint(192, 128), "Front");
    PointerTo(400, 400);
    // The grab is 10 right of and 12 below the front window's corner, where both windows lie.
    PointerTo(110, 112);
    LeftButton(true);
    EXPECT_EQ(CInput::_isLeftButton, 1);
    PointerTo(300, 250);
    EXPECT_EQ(front->GetPosition(), CPoint(290, 238));
    EXPECT_EQ(back->GetPosition(), CPoint(60, 80)) << "only the front window moves";
    // Past the game area the pointer reads as its last pixel: the window stays whole on the screen.
    PointerTo(kWidth + 150, kHeight + 150);
    EXPECT_EQ(front->GetPosition(), CPoint(kWidth - 192 - 1, kHeight - 128 - 1));
    LeftButton(false);
    EXPECT_EQ(CInput::_isLeftButton, 0);
    PointerTo(200, 200);
    EXPECT_EQ(front->GetPosition(), CPoint(kWidth - 192 - 1, kHeight - 128 - 1)) << "released, it stays";
}

TEST_F(WindowsOnScreen, TwoFramedWindowsWithTextShowInTheGameWindow)
{
    CWindow* back = Open(CPoint(120, 140), CPoint(320, 192), "The back window");
    CWindow* front = Open(CPoint(280, 240), CPoint(320, 192), "The front window");
    for (int i = 0; i < 3; ++i)
        Frame();
    int width = 0;
    int height = 0;
    const std::vector<Rgb> shown = Capture(&width, &height);
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    if (const char* folder = std::getenv("VELLMARK_SCREENSHOT_DIR")) {
        std::ofstream out(std::string(folder) + "/two_windows.ppm", std::ios::binary);
        out << "P6\n" << width << " " << height << "\n255\n";
        for (const Rgb& p : shown) {
            const char rgb[3] = { static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b) };
            out.write(rgb, 3);
        }
    }
    auto at = [&](int x, int y) { return shown[static_cast<std::size_t>(y * width + x)]; };
    auto windowPixel = [](CWindow* window, int x, int y) {
        return video_test::Pixel16(
            window->GetImage(), x - window->GetPosition().x, y - window->GetPosition().y);
    };
    // Outside both windows the ground; each window's own pixels where it lies in front, its frame and
    // its text included; where they overlap, the front window's.
    int wrong = 0;
    int text = 0;
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; x += 2) {
            std::uint16_t expected = Ground();
            if (front->isWithin(x, y) && x < 280 + 320 && y < 240 + 192)
                expected = windowPixel(front, x, y);
            else if (back->isWithin(x, y) && x < 120 + 320 && y < 140 + 192)
                expected = windowPixel(back, x, y);
            wrong += !Shows(at(x, y), expected);
            text += Shows(at(x, y), CVideo::TrueToHigh(250, 240, 200));
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(text, 20) << "the windows' text";
}

} // namespace
